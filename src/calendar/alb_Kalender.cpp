#include "calendar/alb_Kalender.h"

#include "album/alb_TagTitel.h"
#include "album/alb_ini.h"
#include "app/alb_Tagesindex.h"
#include "calendar/qorKalender.h"
#include "display/zpt_FotoPanel.h"
#include "sys/zpt_Interaktion.h"
#include "sys/zpt_sys.h"
#include "sys/zpt_sysWidgets.h"

#include <QDeadlineTimer>
#include <QHBoxLayout>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>

Tam_Kalender::Tam_Kalender(QWidget* parent) : Tak_Form(parent) {
    setObjectName(QStringLiteral("Tam_Kalender"));
    setWindowTitle(QStringLiteral("Kalender"));
    resize(800, 498);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    layout->addWidget(Splitter1);

    Panel1 = new QScrollArea(Splitter1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setWidgetResizable(true);
    foto = new TzptFotoPanel;
    foto->setObjectName(QStringLiteral("foto"));
    foto->setStretch(false);
    foto->setGrossanpassen(true);
    foto->setStatusbarVisible(true);
    foto->setAnzeigeEnabled(false);
    Panel1->setWidget(foto);

    ScrollBox1 = new QScrollArea(Splitter1);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    kal = new TqorKalender;
    kal->setObjectName(QStringLiteral("kal"));
    kal->setAnzeige(kaJahr);
    ScrollBox1->setWidget(kal);
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(ScrollBox1);
    Splitter1->setSizes({113, 800 - 113});

    kal->Modell().OnGetTermine = [this](const QDateTime& von, const QDateTime& bis, TqorEreignisList& items) {
        // One all-day entry, titled with the series, for every day that has a folder. Each
        // year folder is listed once; titles not read within a moment come in the background.
        TTagTitel& speicher = TTagTitel::Instanz();
        const QDeadlineTimer frist(m_titelNachgereicht ? 0 : TTagTitel::kFristMs);
        QStringList offen;
        QHash<int, QSet<QString>> tage;
        for (QDate d = von.date(); d <= bis.date(); d = d.addDays(1)) {
            auto jahr = tage.find(d.year());
            if (jahr == tage.end()) {
                QStringList namen;
                VerzeichnisseToItems(Grundpfad + QString::number(d.year()), namen);
                jahr = tage.insert(d.year(), QSet<QString>(namen.begin(), namen.end()));
            }
            if (!jahr->contains(d.toString(QStringLiteral("yyyyMMdd")))) continue;
            TqorKalenderEreignis e;
            e.Von = QDateTime(d, QTime(0, 0));
            // Paging through the months shows the titles known at once; they are checked after.
            e.Text = speicher.Titel(KalenderTagOrdner(Grundpfad, d), frist, offen, true);
            items.append(e);
        }
        speicher.Nachlesen(offen);
    };
    // Titles read in the background: the entries anew, once for a burst of them.
    connect(&TTagTitel::Instanz(), &TTagTitel::Geaendert, this, [this](const QString& ordner) {
        if (m_neuLadenGeplant || !ordner.startsWith(Grundpfad) || Grundpfad.isEmpty()) return;
        m_neuLadenGeplant = true;
        QTimer::singleShot(0, this, [this] {
            m_neuLadenGeplant = false;
            const QScopedValueRollback<bool> nachgereicht(m_titelNachgereicht, true);
            kal->Modell().TermineLaden();
            kal->update();
        });
    });
    kal->Modell().OnDateChange = [this] { kalDateChange(); };
    Zentrieren(this);
}

bool Tam_Kalender::Ausfuehren(const QString& grundpfad, QDate& datum) {
    Grundpfad = AddBackslash(grundpfad);
    Initializing = false;
    if (kal->Datum() == datum)
        kalDateChange(); // the same date raises no change: show it all the same
    else
        kal->SetDatum(datum);
    kal->Modell().TermineLaden();
    interaktion().ModalZeigen(*this);
    if (!VerzeichnisExistiert(KalenderTagOrdner(Grundpfad, kal->Datum()))) return false;
    datum = kal->Datum();
    return true;
}

void Tam_Kalender::kalDateChange() {
    foto->hide();
    foto->setAnzeigeEnabled(false);
    if (Initializing) return;
    const QString ordner = KalenderTagOrdner(Grundpfad, kal->Datum());
    if (!VerzeichnisExistiert(ordner)) {
        // A day without pictures: its date, not the last day's date and title.
        setWindowTitle(kal->Datum().toString(QStringLiteral("dd.MM.yyyy")));
        return;
    }
    foto->setGrundpfad(ordner);
    foto->show();
    foto->setAnzeigeEnabled(true);
    foto->ReadFolderFirst(true);
    setWindowTitle(kal->Datum().toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" - ") +
                   TitelLesen(ordner, {}));
    if (isVisible()) foto->setFocus();
}

Tam_Kalender& KalenderFenster() {
    static QPointer<Tam_Kalender> fenster;
    if (!fenster) fenster = new Tam_Kalender(qobject_cast<QWidget*>(Hauptfenster()));
    return *fenster;
}
