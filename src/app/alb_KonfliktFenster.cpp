#include "app/alb_KonfliktFenster.h"

#include "display/zpt_grafik.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_Regulaer.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr int kKlein = 96;  // picture beside competing texts
constexpr int kGross = 200; // pictures compared side by side

// A small picture of the file, or its name when it cannot be shown.
QLabel* Vorschau(const QString& pfad, int kante, QWidget* eltern) {
    auto* la = new QLabel(eltern);
    la->setAlignment(Qt::AlignCenter);
    la->setMinimumSize(kante, kante);
    DekodiertesBild bild;
    const ZielGroesse ziel = [kante](QSize) { return QSize(kante, kante); };
    // Only a picture file of the day: a pipe in a picture's place would block the window, a
    // link may point anywhere.
    const QString datei = pfad.isEmpty() ? QString() : regulaer::Ziel(pfad, regulaer::Verweise::ImOrdner);
    if (!datei.isEmpty() && QFileInfo(datei).isFile() && BildLaden(datei, bild, nullptr, ziel) &&
        !bild.bild.isNull())
        la->setPixmap(QPixmap::fromImage(
            bild.bild.scaled(kante, kante, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    else
        la->setText(QStringLiteral("(kein Bild)"));
    return la;
}

QLabel* Text(const QString& text, QWidget* eltern) {
    auto* la = new QLabel(text, eltern);
    la->setWordWrap(true);
    la->setTextFormat(Qt::PlainText);
    return la;
}

QLabel* Fassung(const QStringList& zeilen, QWidget* eltern) {
    auto* la = Text(zeilen.isEmpty() ? QStringLiteral("(kein Text)") : zeilen.join(u'\n'), eltern);
    la->setFrameShape(QFrame::StyledPanel);
    la->setMargin(4);
    la->setTextInteractionFlags(Qt::TextSelectableByMouse);
    la->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return la;
}

QRadioButton* Knopf(const QString& text, const QString& name, QWidget* eltern) {
    auto* rb = new QRadioButton(text, eltern);
    rb->setObjectName(name);
    return rb;
}
} // namespace

Tam_Konflikte::Tam_Konflikte(QWidget* parent) : Tak_Form(parent) {
    setObjectName(QStringLiteral("Tam_Konflikte"));
    setProperty("HilfeKontext", 14);
    setWindowTitle(QStringLiteral("Konflikte lösen"));
    resize(780, 740);
    auto* haupt = new QVBoxLayout(this);
    auto* oben = new QHBoxLayout;
    oben->addWidget(new QLabel(QStringLiteral("Tag:"), this));
    cb_Tag = new QComboBox(this);
    cb_Tag->setObjectName(QStringLiteral("cb_Tag"));
    oben->addWidget(cb_Tag, 1);
    haupt->addLayout(oben);
    auto* hinweis = Text(QStringLiteral("Ein Synchronisationsprogramm hat hier zwei Fassungen aufbewahrt. "
                                        "Vorgewählt ist jeweils die neuere."),
                         this);
    haupt->addWidget(hinweis);
    sa_Eintraege = new QScrollArea(this);
    sa_Eintraege->setObjectName(QStringLiteral("sa_Eintraege"));
    sa_Eintraege->setWidgetResizable(true);
    haupt->addWidget(sa_Eintraege, 1);
    auto* unten = new QHBoxLayout;
    unten->addStretch(1);
    bb_Uebernehmen = new QPushButton(QStringLiteral("Übernehmen"), this);
    bb_Uebernehmen->setObjectName(QStringLiteral("bb_Uebernehmen"));
    bb_Uebernehmen->setDefault(true);
    bb_Schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    bb_Schliessen->setObjectName(QStringLiteral("bb_Schliessen"));
    unten->addWidget(bb_Uebernehmen);
    unten->addWidget(bb_Schliessen);
    haupt->addLayout(unten);
    connect(bb_Uebernehmen, &QPushButton::clicked, this, [this] { setModalResult(mrOk); });
    connect(bb_Schliessen, &QPushButton::clicked, this, [this] { setModalResult(mrCancel); });
    connect(cb_Tag, &QComboBox::currentIndexChanged, this, [this](int i) { TagZeigen(i); });
}

QString Tam_Konflikte::TagText(const TTagKonflikte& tag) {
    const int n = int(tag.fragen.size() + tag.bilder.size());
    // Year and day, as the lists above the picture name them.
    const QDir tagOrdner(tag.ordner);
    const QString name = QDir::toNativeSeparators(QFileInfo(tagOrdner.absolutePath()).dir().dirName() + u'/' +
                                                  tagOrdner.dirName());
    return QStringLiteral("%1 (%2)").arg(name, n == 1 ? QStringLiteral("1 Konflikt")
                                                      : QStringLiteral("%1 Konflikte").arg(n));
}

bool Tam_Konflikte::Ausfuehren(const QVector<TTagKonflikte>& tage, int start) {
    m_tage = tage;
    {
        const QSignalBlocker still(cb_Tag);
        cb_Tag->clear();
        for (const TTagKonflikte& t : m_tage)
            cb_Tag->addItem(TagText(t));
        cb_Tag->setCurrentIndex(qBound(0, start, int(m_tage.size()) - 1));
    }
    TagZeigen(cb_Tag->currentIndex());
    const bool ok = interaktion().ModalZeigen(*this) == mrOk && !m_auswahl.Tag().Leer();
    // The pictures are not kept in memory between two runs.
    sa_Eintraege->setWidget(new QWidget);
    return ok;
}

void Tam_Konflikte::TagZeigen(int index) {
    m_auswahl = index >= 0 && index < m_tage.size() ? TKonfliktAuswahl(m_tage[index]) : TKonfliktAuswahl();
    auto* inhalt = new QWidget;
    auto* liste = new QVBoxLayout(inhalt);
    for (int i = 0; i < m_auswahl.Fragen(); ++i)
        FrageAufbauen(liste, i);
    for (int i = 0; i < m_auswahl.Bilder(); ++i)
        BildAufbauen(liste, i);
    liste->addStretch(1);
    sa_Eintraege->setWidget(inhalt); // the previous day's entries go with their widget
    bb_Uebernehmen->setEnabled(!m_auswahl.Tag().Leer());
}

void Tam_Konflikte::FrageAufbauen(QVBoxLayout* liste, int i) {
    const TKonfliktFrage& f = m_auswahl.Frage(i);
    auto* box = new QGroupBox(m_auswahl.Eintrag(i), liste->parentWidget());
    box->setObjectName(QStringLiteral("gb_Frage_%1").arg(i));
    auto* g = new QGridLayout(box);
    const QString bild = f.bild.isEmpty() ? QString() : QDir(m_auswahl.Tag().ordner).filePath(f.bild);
    if (!bild.isEmpty()) g->addWidget(Vorschau(bild, kKlein, box), 0, 0, 3, 1, Qt::AlignTop);
    auto* diese = Knopf(QStringLiteral("Diese Fassung"), QStringLiteral("rb_Diese_%1").arg(i), box);
    auto* jene = Knopf(QStringLiteral("Jene Fassung"), QStringLiteral("rb_Jene_%1").arg(i), box);
    auto* beide = Knopf(QStringLiteral("Beide behalten"), QStringLiteral("rb_Beide_%1").arg(i), box);
    g->addWidget(diese, 0, 1);
    g->addWidget(jene, 0, 2);
    g->addWidget(Text(m_auswahl.HerkunftDiese(i), box), 1, 1);
    g->addWidget(Text(m_auswahl.HerkunftJene(i), box), 1, 2);
    g->addWidget(Fassung(f.diese, box), 2, 1);
    g->addWidget(Fassung(f.jene, box), 2, 2);
    g->addWidget(beide, 3, 1, 1, 2);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(2, 1);
    auto* gruppe = new QButtonGroup(box);
    gruppe->addButton(diese, int(TWahl::Diese));
    gruppe->addButton(jene, int(TWahl::Jene));
    gruppe->addButton(beide, int(TWahl::Beide));
    if (QAbstractButton* vor = gruppe->button(int(m_auswahl.Wahl(i)))) vor->setChecked(true);
    connect(gruppe, &QButtonGroup::idToggled, this, [this, i](int id, bool an) {
        if (an) m_auswahl.WahlSetzen(i, TWahl(id));
    });
    liste->addWidget(box);
}

void Tam_Konflikte::BildAufbauen(QVBoxLayout* liste, int i) {
    const TBildKonflikt& b = m_auswahl.Bild(i);
    const QDir ordner(m_auswahl.Tag().ordner);
    auto* box = new QGroupBox(QStringLiteral("%1 – zwei Fassungen des Bildes").arg(b.original),
                              liste->parentWidget());
    box->setObjectName(QStringLiteral("gb_Bild_%1").arg(i));
    auto* g = new QGridLayout(box);
    auto* diese =
        Knopf(QStringLiteral("Dieses Bild behalten"), QStringLiteral("rb_BildDiese_%1").arg(i), box);
    auto* jene = Knopf(QStringLiteral("Jenes Bild behalten"), QStringLiteral("rb_BildJene_%1").arg(i), box);
    auto* beide = Knopf(QStringLiteral("Beide behalten"), QStringLiteral("rb_BildBeide_%1").arg(i), box);
    // With the day's picture gone, the copy is the only version: nothing to keep instead.
    diese->setEnabled(b.originalDa);
    g->addWidget(Vorschau(b.originalDa ? ordner.filePath(b.original) : QString(), kGross, box), 0, 0);
    g->addWidget(Vorschau(ordner.filePath(b.kopie), kGross, box), 0, 1);
    g->addWidget(Text(m_auswahl.BildHerkunftDiese(i), box), 1, 0);
    g->addWidget(Text(m_auswahl.BildHerkunftJene(i), box), 1, 1);
    g->addWidget(diese, 2, 0);
    g->addWidget(jene, 2, 1);
    g->addWidget(beide, 3, 0, 1, 2);
    auto* gruppe = new QButtonGroup(box);
    gruppe->addButton(diese, int(TBildWahl::Diese));
    gruppe->addButton(jene, int(TBildWahl::Jene));
    gruppe->addButton(beide, int(TBildWahl::Beide));
    if (QAbstractButton* vor = gruppe->button(int(m_auswahl.BildWahl(i)))) vor->setChecked(true);
    connect(gruppe, &QButtonGroup::idToggled, this, [this, i](int id, bool an) {
        if (an) m_auswahl.BildWahlSetzen(i, TBildWahl(id));
    });
    liste->addWidget(box);
}

QVector<std::pair<TBildKonflikt, TBildWahl>> Tam_Konflikte::BildWahlen() const {
    QVector<std::pair<TBildKonflikt, TBildWahl>> wahlen;
    for (int i = 0; i < m_auswahl.Bilder(); ++i)
        wahlen.push_back({m_auswahl.Bild(i), m_auswahl.BildWahl(i)});
    return wahlen;
}
