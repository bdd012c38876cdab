// The exported album in any browser, straight from the medium (file://, no server, no
// network): album.js sets PIXOLUDA_ALBUM = {jahre: [{name, tage: [{name, text, bilder:
// [{datei, name, text}]}]}]}. Titles and captions are text and are only ever set as text.
(function () {
  "use strict";
  var album = window.PIXOLUDA_ALBUM || { jahre: [] };
  var jahre = album.jahre || [];
  var el = function (id) { return document.getElementById(id); };
  var auswahlJahr = el("jahr"), auswahlTag = el("tag"), bild = el("bild"), leer = el("leer");
  var unterschrift = el("unterschrift"), position = el("position"), datei = el("datei");
  // Where we are: year, day and picture index.
  var j = 0, t = 0, b = 0;
  var mitText = true;
  var vorgeladen = {};

  function tage() { return jahre[j] ? jahre[j].tage : []; }
  function bilder() { var d = tage()[t]; return d ? d.bilder : []; }

  function option(liste, text, wert) {
    var o = document.createElement("option");
    o.textContent = text;
    o.value = String(wert);
    liste.appendChild(o);
  }

  function listenFuellen() {
    auswahlJahr.textContent = "";
    jahre.forEach(function (jahr, i) { option(auswahlJahr, jahr.name, i); });
    auswahlJahr.value = String(j);
    auswahlTag.textContent = "";
    tage().forEach(function (tag, i) { option(auswahlTag, tag.text, i); });
    auswahlTag.value = String(t);
  }

  // The picture one step on (+1) or back (-1), into the next or previous day with pictures.
  function vorladen(schritt) {
    var ziel = nachbar(schritt);
    if (!ziel) return;
    var eintrag = tage()[ziel.t].bilder[ziel.b];
    if (vorgeladen[eintrag.datei]) return;
    var neu = new Image();
    neu.decoding = "async";
    neu.src = eintrag.datei;
    vorgeladen[eintrag.datei] = neu;
  }

  function zeigen() {
    var liste = bilder();
    if (String(j) !== auswahlJahr.value || auswahlTag.options.length !== tage().length) listenFuellen();
    auswahlTag.value = String(t);
    var aktuell = liste[b];
    document.body.dataset.jahr = jahre[j] ? jahre[j].name : "";
    document.body.dataset.tag = tage()[t] ? tage()[t].name : "";
    document.body.dataset.bild = aktuell ? aktuell.name : "";
    if (!aktuell) {
      bild.hidden = true;
      bild.removeAttribute("src");
      leer.hidden = false;
      position.textContent = "0/0";
      datei.textContent = "";
      unterschrift.textContent = "";
      return;
    }
    leer.hidden = true;
    bild.hidden = false;
    bild.src = aktuell.datei;
    bild.alt = aktuell.text || aktuell.name;
    position.textContent = (b + 1) + "/" + liste.length;
    datei.textContent = aktuell.name;
    unterschrift.textContent = aktuell.text || "";
    // The neighbours are fetched while the user looks at this one.
    vorladen(1);
    vorladen(-1);
  }

  // The next (+1) or previous (-1) day of the year that has pictures; -1 when none.
  function nachbarTag(schritt) {
    for (var i = t + schritt; i >= 0 && i < tage().length; i += schritt)
      if (tage()[i].bilder.length > 0) return i;
    return -1;
  }

  // Where one step on (+1) or back (-1) leads: the neighbour in this day, else the first
  // (last) picture of the next (previous) day with pictures; null at the year's end.
  function nachbar(schritt) {
    if (b + schritt >= 0 && b + schritt < bilder().length) return { t: t, b: b + schritt };
    var n = nachbarTag(schritt);
    if (n < 0) return null;
    return { t: n, b: schritt > 0 ? 0 : tage()[n].bilder.length - 1 };
  }

  function blaettern(schritt) {
    var ziel = nachbar(schritt);
    if (!ziel) return;
    t = ziel.t;
    b = ziel.b;
    zeigen();
  }

  function naechstesBild() { blaettern(1); }
  function vorigesBild() { blaettern(-1); }

  function tagWechseln(schritt) {
    var n = t + schritt;
    if (n < 0 || n >= tage().length) return;
    t = n;
    b = 0;
    zeigen();
  }

  function taste(e) {
    var imListenfeld = e.target && e.target.tagName === "SELECT";
    switch (e.key) {
      case " ": case "Spacebar": naechstesBild(); break;
      case "Backspace": vorigesBild(); break;
      case "ArrowDown": case "ArrowRight": if (imListenfeld) return; naechstesBild(); break;
      case "ArrowUp": case "ArrowLeft": if (imListenfeld) return; vorigesBild(); break;
      case "PageDown": case "n": case "N": tagWechseln(1); break;
      case "PageUp": case "v": case "V": tagWechseln(-1); break;
      case "Home": if (imListenfeld) return; b = 0; zeigen(); break;
      case "End": if (imListenfeld) return; b = Math.max(0, bilder().length - 1); zeigen(); break;
      case "F6":
        mitText = !mitText;
        unterschrift.classList.toggle("aus", !mitText);
        break;
      default: return;
    }
    e.preventDefault();
    if (imListenfeld) e.target.blur();
  }

  document.addEventListener("keydown", taste);
  auswahlJahr.addEventListener("change", function () {
    j = Number(auswahlJahr.value); t = 0; b = 0; listenFuellen(); zeigen();
  });
  auswahlTag.addEventListener("change", function () { t = Number(auswahlTag.value); b = 0; zeigen(); });
  el("tagVor").addEventListener("click", function () { tagWechseln(1); });
  el("tagZurueck").addEventListener("click", function () { tagWechseln(-1); });
  // A click on the right half pages forward, on the left half back.
  el("flaeche").addEventListener("click", function (e) {
    var r = e.currentTarget.getBoundingClientRect();
    if (e.clientX - r.left >= r.width / 2) naechstesBild(); else vorigesBild();
  });
  // A swipe to the left pages forward, to the right back.
  var wischStart = null;
  el("flaeche").addEventListener("touchstart", function (e) {
    if (e.touches.length === 1) wischStart = e.touches[0].clientX;
  }, { passive: true });
  el("flaeche").addEventListener("touchend", function (e) {
    if (wischStart === null || e.changedTouches.length !== 1) return;
    var dx = e.changedTouches[0].clientX - wischStart;
    wischStart = null;
    if (Math.abs(dx) > 50) { if (dx < 0) naechstesBild(); else vorigesBild(); }
  });

  // Start on the first picture of the first year's first day with pictures.
  if (jahre.length === 0) {
    leer.hidden = false;
    leer.textContent = "Dieses Album enthält keine Bilder.";
  }
  var erster = 0;
  while (tage()[erster] && tage()[erster].bilder.length === 0) erster++;
  if (tage()[erster]) t = erster;
  listenFuellen();
  zeigen();

  // For tests and measurements: "?tasten=PageDown,Space" presses these keys after the
  // start; "?messen=1" measures the first picture and paging at a human pace.
  var parameter = new URLSearchParams(location.search);
  if (parameter.get("tasten")) {
    parameter.get("tasten").split(",").forEach(function (k) {
      document.dispatchEvent(new KeyboardEvent("keydown", { key: k === "Space" ? " " : k, bubbles: true }));
    });
  }
  if (parameter.get("messen")) {
    var ergebnis = el("messung") || document.body.appendChild(document.createElement("pre"));
    ergebnis.id = "messung";
    var geladen = function (fertig) {
      if (bild.complete && bild.naturalWidth > 0) { bild.decode().then(fertig, fertig); return; }
      bild.addEventListener("load", function () { bild.decode().then(fertig, fertig); }, { once: true });
    };
    geladen(function () {
      var erstes = performance.now(), zeiten = [], runde = 0;
      var weiter = function () {
        if (runde++ >= 10) {
          zeiten.sort(function (x, y) { return x - y; });
          ergebnis.textContent = "first=" + Math.round(erstes) + " next=" + Math.round(zeiten[zeiten.length >> 1]);
          document.title = ergebnis.textContent;
          return;
        }
        setTimeout(function () {
          var anfang = performance.now();
          naechstesBild();
          geladen(function () { zeiten.push(performance.now() - anfang); weiter(); });
        }, 500);
      };
      weiter();
    });
  }
})();
