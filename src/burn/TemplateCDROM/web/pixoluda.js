// The exported album in any browser, straight from the medium (file://, no server, no
// network): album.js sets PIXOLUDA_ALBUM = {jahre: [{name, tage: [{name, text, bilder:
// [{datei, name, text, live?}], videos?: [{datei, name}]}]}]}, "live" being the address of
// the picture's motion (a Live Photo). Titles, captions and names are only ever set as text.
(function () {
  "use strict";
  var album = window.PIXOLUDA_ALBUM || { jahre: [] };
  var jahre = album.jahre || [];
  var el = function (id) { return document.getElementById(id); };
  var auswahlJahr = el("jahr"), auswahlTag = el("tag"), bild = el("bild"), leer = el("leer");
  var unterschrift = el("unterschrift"), position = el("position"), datei = el("datei");
  var film = el("film"), videos = el("videos"), live = el("live"), filmfehler = el("filmfehler");
  // Where we are: year, day and picture index.
  var j = 0, t = 0, b = 0;
  var mitText = true;
  var vorgeladen = {};
  // The video on screen: null, or {eintrag, bewegung} (a picture's motion, or a day's video).
  var laufend = null;
  var mitTon = false; // a picture's motion plays without sound unless M is pressed

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

  // Whether this browser plays the video, by the kind its name says. Phones' MOV files hold
  // H.264 (played as MP4 outside Safari) or HEVC; a video that fails is offered instead.
  var H264 = 'video/mp4; codecs="avc1.42E01E"';
  var ARTEN = { mp4: H264, m4v: H264, mov: "video/quicktime", webm: "video/webm", ogv: "video/ogg",
                mkv: "video/x-matroska", "3gp": "video/3gpp" };
  function abspielbar(name) {
    var endung = name.slice(name.lastIndexOf(".") + 1).toLowerCase();
    if (!ARTEN[endung] || !film.canPlayType) return false;
    return film.canPlayType(ARTEN[endung]) !== "" || (endung === "mov" && film.canPlayType(H264) !== "");
  }

  // A small film camera before each video's name.
  function symbol() {
    var ns = "http://www.w3.org/2000/svg", svg = document.createElementNS(ns, "svg");
    svg.setAttribute("viewBox", "0 0 16 12");
    svg.setAttribute("aria-hidden", "true");
    var koerper = document.createElementNS(ns, "rect"), linse = document.createElementNS(ns, "path");
    [["x", 0], ["y", 1], ["width", 11], ["height", 10], ["rx", 2]].forEach(function (a) {
      koerper.setAttribute(a[0], a[1]);
    });
    linse.setAttribute("d", "M11 6 L16 2 L16 10 Z");
    svg.appendChild(koerper);
    svg.appendChild(linse);
    return svg;
  }

  // The day's videos under the picture: a button that plays one where this browser can,
  // else a link that offers the file.
  function videosZeigen() {
    var d = tage()[t], liste = (d && d.videos) || [];
    videos.textContent = "";
    videos.hidden = liste.length === 0;
    liste.forEach(function (eintrag) {
      var li = document.createElement("li"), knopf;
      if (abspielbar(eintrag.name)) {
        knopf = document.createElement("button");
        knopf.type = "button";
        knopf.title = "Video abspielen";
        knopf.addEventListener("click", function () { filmStarten(eintrag, false); knopf.blur(); });
      } else {
        knopf = document.createElement("a");
        knopf.href = eintrag.datei;
        knopf.setAttribute("download", eintrag.name);
        knopf.title = "Dieses Video kann der Browser nicht abspielen: herunterladen";
      }
      var name = document.createElement("span");
      name.className = "name";
      name.textContent = eintrag.name;
      knopf.appendChild(symbol());
      knopf.appendChild(name);
      if (knopf.tagName === "A") {
        var laden = document.createElement("span");
        laden.textContent = "\u2193"; // offered for download
        laden.setAttribute("aria-hidden", "true");
        knopf.appendChild(laden);
      }
      li.appendChild(knopf);
      videos.appendChild(li);
    });
  }

  // Plays a day's video with its controls and sound, or a picture's motion in its place.
  function filmStarten(eintrag, bewegung) {
    laufend = { eintrag: eintrag, bewegung: bewegung };
    bild.hidden = true;
    leer.hidden = true;
    filmfehler.hidden = true;
    film.hidden = false;
    film.controls = !bewegung;
    film.muted = bewegung && !mitTon;
    film.src = bewegung ? eintrag.live : eintrag.datei;
    if (!bewegung) {
      datei.textContent = eintrag.name;
      live.hidden = true; // the mark is the picture's
    }
    var versuch = film.play();
    // Sound refused without a click: it plays muted (M switches it on). A failure shows
    // through "error".
    if (versuch && versuch.catch) versuch.catch(function (f) {
      if (f && f.name === "NotAllowedError" && !film.muted && laufend) {
        film.muted = true;
        film.play().catch(function () {});
      }
    });
  }

  // Stops the video and frees it; the caller shows the picture.
  function filmAus() {
    if (!laufend) return;
    laufend = null;
    film.pause();
    film.removeAttribute("src");
    film.load();
    film.hidden = true;
    filmfehler.hidden = true;
  }

  function filmBeenden() {
    filmAus();
    zeigen();
  }

  function bewegungAbspielen() {
    var aktuell = bilder()[b];
    if (aktuell && aktuell.live) filmStarten(aktuell, true);
  }

  function zeigen() {
    filmAus();
    var liste = bilder();
    if (String(j) !== auswahlJahr.value || auswahlTag.options.length !== tage().length) listenFuellen();
    auswahlTag.value = String(t);
    var aktuell = liste[b];
    document.body.dataset.jahr = jahre[j] ? jahre[j].name : "";
    document.body.dataset.tag = tage()[t] ? tage()[t].name : "";
    document.body.dataset.bild = aktuell ? aktuell.name : "";
    videosZeigen();
    live.hidden = !(aktuell && aktuell.live);
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

  // Keys while a video is on screen; false for those that go on to the page.
  function filmTaste(e) {
    switch (e.key) {
      case "Escape": case "Esc": filmBeenden(); return true;
    }
    // Left unplayed (the download is offered) or a picture's motion: any other key goes on
    // to the pictures.
    if (film.hidden) return false;
    if (e.key === "m" || e.key === "M") {
      film.muted = !film.muted;
      if (laufend.bewegung) mitTon = !film.muted;
      return true;
    }
    if (laufend.bewegung) return false;
    switch (e.key) {
      case " ": case "Spacebar": if (film.paused) film.play(); else film.pause(); return true;
      case "ArrowLeft": film.currentTime = Math.max(0, film.currentTime - 5); return true;
      case "ArrowRight": film.currentTime = Math.min(film.duration || 0, film.currentTime + 5); return true;
      case "f": case "F":
        if (document.fullscreenElement) document.exitFullscreen();
        else if (film.requestFullscreen) film.requestFullscreen();
        return true;
    }
    return false;
  }

  function taste(e) {
    if (laufend && filmTaste(e)) { e.preventDefault(); return; }
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
      case "p": case "P": bewegungAbspielen(); break;
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
    if (laufend) return; // the video's own controls
    var r = e.currentTarget.getBoundingClientRect();
    if (e.clientX - r.left >= r.width / 2) naechstesBild(); else vorigesBild();
  });
  live.addEventListener("click", bewegungAbspielen);
  live.addEventListener("keydown", function (e) {
    if (e.key === "Enter") { bewegungAbspielen(); e.preventDefault(); e.stopPropagation(); }
  });
  // A picture's motion ends on the picture; a day's video stays until it is left.
  film.addEventListener("ended", function () { if (laufend && laufend.bewegung) filmBeenden(); });
  // What the browser cannot play (a codec it lacks, a broken file) is offered for download.
  film.addEventListener("error", function () {
    if (!laufend || !film.getAttribute("src")) return;
    var adresse = film.getAttribute("src"), name = decodeURIComponent(adresse.split("/").pop());
    film.hidden = true;
    el("filmladen").href = adresse;
    el("filmladen").setAttribute("download", name);
    el("filmladen").textContent = name;
    filmfehler.hidden = false;
  });
  // A swipe to the left pages forward, to the right back.
  var wischStart = null;
  el("flaeche").addEventListener("touchstart", function (e) {
    if (e.touches.length === 1) wischStart = e.touches[0].clientX;
  }, { passive: true });
  el("flaeche").addEventListener("touchend", function (e) {
    if (laufend) wischStart = null; // on the video's own controls
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
