#include "machine/ui/Schnittstellendialog.h"

#include "qtkit/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvx {

namespace {

constexpr int kPufferMin = 4;  // 16 bytes
constexpr int kPufferMax = 20; // 1 MiB
constexpr int kStandardPuffer = 2048;

// The record a new component starts with: 9600 baud, 8 data bits, no parity,
// 1 stop bit, buffers of 2048, port 1.
TSerSettings Grundeinstellung() {
    TSerSettings s;
    s.gueltig = true;
    s.port = 1;
    s.baudrate = static_cast<std::uint8_t>(TBaudrate::br_009600);
    s.datenbits = static_cast<std::uint8_t>(TDataBits::db_8);
    s.bufSizeRec = kStandardPuffer;
    s.bufSizeTrm = kStandardPuffer;
    return s;
}

QLabel* Beschriftung(QWidget* eltern, const char* text, QWidget* feld) {
    auto* l = new QLabel(QString::fromUtf8(text), eltern);
    l->setBuddy(feld);
    return l;
}

} // namespace

int PufferAusPosition(int position) {
    return 1 << std::clamp(position, 0, 30);
}

int PositionAusPuffer(int groesse) {
    if (groesse <= 1) {
        return kPufferMin;
    }
    return std::clamp(static_cast<int>(std::lround(std::log2(groesse))), kPufferMin, kPufferMax);
}

// --- Form ---------------------------------------------------------------------

TFormCOMSetup::TFormCOMSetup(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Einstellungen"));
    setModal(true);

    auto kombi = [this](const char* name, QWidget* eltern) {
        auto* c = new QComboBox(eltern);
        c->setObjectName(name);
        return c;
    };
    ComboBoxPort = kombi("ComboBoxPort", this);

    auto* format = new QGroupBox(QString::fromUtf8(" Format "), this);
    ComboBoxBaudrate = kombi("ComboBoxBaudrate", format);
    for (int i = 0; i < kAnzahlBaudraten; ++i) {
        ComboBoxBaudrate->addItem(QString::number(Bitrate(static_cast<TBaudrate>(i))));
    }
    ComboBoxDatabit = kombi("ComboBoxDatabit", format);
    for (int n = 4; n <= 8; ++n) {
        ComboBoxDatabit->addItem(QString::number(n));
    }
    ComboBoxParity = kombi("ComboBoxParity", format);
    ComboBoxParity->addItems({"none", "odd", "even", "mark", "space"});
    ComboBoxStop = kombi("ComboBoxStop", format);
    ComboBoxStop->addItems({"1", "1,5", "2"});
    auto* formatLayout = new QFormLayout(format);
    formatLayout->addRow(Beschriftung(format, "&Baudrate", ComboBoxBaudrate), ComboBoxBaudrate);
    formatLayout->addRow(Beschriftung(format, "&Datenbit", ComboBoxDatabit), ComboBoxDatabit);
    formatLayout->addRow(Beschriftung(format, "&Paritätsbit", ComboBoxParity), ComboBoxParity);
    formatLayout->addRow(Beschriftung(format, "St&oppbits", ComboBoxStop), ComboBoxStop);

    auto* handshake = new QGroupBox(QString::fromUtf8(" Handshake "), this);
    auto kasten = [handshake](const char* name, const char* text) {
        auto* c = new QCheckBox(QString::fromUtf8(text), handshake);
        c->setObjectName(name);
        return c;
    };
    CheckBoxRtsCts = kasten("CheckBoxRtsCts", "RTS/CTS-Handshake");
    CheckBoxDtrDsr = kasten("CheckBoxDtrDsr", "D&TR/DSR-Handshake");
    CheckBoxXOnXOff = kasten("CheckBoxXOnXOff", "&XOn/XOff-Protokoll");
    auto* handshakeLayout = new QVBoxLayout(handshake);
    handshakeLayout->addWidget(CheckBoxRtsCts);
    handshakeLayout->addWidget(CheckBoxDtrDsr);
    handshakeLayout->addWidget(CheckBoxXOnXOff);

    auto* puffer = new QGroupBox(QString::fromUtf8(" Übertragungspuffer "), this);
    auto* pufferLayout = new QFormLayout(puffer);
    auto pufferZeile = [this, puffer, pufferLayout](const char* text, const char* editName,
                                                    const char* upDownName, QLineEdit*& edit,
                                                    QSpinBox*& upDown) {
        edit = new QLineEdit(puffer);
        edit->setObjectName(editName);
        edit->setAlignment(Qt::AlignRight);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), edit));
        upDown = new QSpinBox(puffer);
        upDown->setObjectName(upDownName);
        upDown->setRange(kPufferMin, kPufferMax);
        QLineEdit* e = edit;
        connect(upDown, &QSpinBox::valueChanged, this,
                [e](int position) { e->setText(QString::number(PufferAusPosition(position))); });
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(edit);
        zeile->addWidget(upDown);
        pufferLayout->addRow(Beschriftung(puffer, text, edit), zeile);
    };
    pufferZeile("&Empfangspuffer", "EditBufR", "UpDownBufR", EditBufR, UpDownBufR);
    pufferZeile("Se&ndepuffer", "EditBufT", "UpDownBufT", EditBufT, UpDownBufT);

    OkButton = new QPushButton(QString::fromUtf8("&Ok"), this);
    OkButton->setObjectName("OkButton");
    OkButton->setDefault(true);
    AbbrechenButton = new QPushButton(QString::fromUtf8("&Abbrechen"), this);
    AbbrechenButton->setObjectName("AbbrechenButton");
    AbbrechenButton->setAutoDefault(false);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(OkButton);
    knoepfe->addWidget(AbbrechenButton);

    auto* portZeile = new QFormLayout;
    portZeile->addRow(Beschriftung(this, "&Schnittstelle", ComboBoxPort), ComboBoxPort);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(portZeile);
    layout->addWidget(format);
    layout->addWidget(handshake);
    layout->addWidget(puffer);
    layout->addLayout(knoepfe);

    connect(OkButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(AbbrechenButton, &QPushButton::clicked, this, [this] { reject(); });
}

void TFormCOMSetup::Zeigen(const TSerSettings& s, const std::vector<TPortGeraet>& geraete,
                           const std::string& festerPfad) {
    basis_ = s;
    geraete_ = geraete;
    int port = -1;
    if (!festerPfad.empty()) {
        const auto it = std::find_if(geraete_.begin(), geraete_.end(),
                                     [&](const TPortGeraet& g) { return g.pfad == festerPfad; });
        if (it == geraete_.end()) {
            geraete_.push_back({0, festerPfad, festerPfad});
            port = static_cast<int>(geraete_.size()) - 1;
        } else {
            port = static_cast<int>(it - geraete_.begin());
        }
    } else {
        const int nummer = s.port >= 1 && s.port <= TPortListe::kAnzahlPorts ? s.port : 1;
        for (std::size_t i = 0; i < geraete_.size(); ++i) {
            if (geraete_[i].nummer == nummer) {
                port = static_cast<int>(i);
            }
        }
        if (port < 0 && !geraete_.empty()) {
            port = 0;
        }
    }
    ComboBoxPort->clear();
    for (const auto& g : geraete_) {
        ComboBoxPort->addItem(ui::NachQt(g.name));
        ComboBoxPort->setItemData(ComboBoxPort->count() - 1, ui::NachQt(g.pfad), Qt::ToolTipRole);
    }

    Auswahl a;
    a.port = port;
    a.baud = s.baudrate < kAnzahlBaudraten ? s.baudrate : static_cast<int>(TBaudrate::br_009600);
    a.daten = std::min<int>(s.datenbits, 4);
    a.paritaet = std::min<int>(s.paritaet, 4);
    a.stopp = std::min<int>(s.stoppbits, 2);
    a.rtsCts = s.handshakeRtsCts;
    a.dtrDsr = s.handshakeDtrDsr;
    a.xonXoff = s.handshakeXOnXOff;
    a.bufR = QString::number(s.bufSizeRec);
    a.bufT = QString::number(s.bufSizeTrm);
    Setzen(a);
    gemerkt_ = a;
    ComboBoxPort->setFocus();
}

TFormCOMSetup::Auswahl TFormCOMSetup::Lesen() const {
    Auswahl a;
    a.port = ComboBoxPort->currentIndex();
    a.baud = ComboBoxBaudrate->currentIndex();
    a.daten = ComboBoxDatabit->currentIndex();
    a.paritaet = ComboBoxParity->currentIndex();
    a.stopp = ComboBoxStop->currentIndex();
    a.rtsCts = CheckBoxRtsCts->isChecked();
    a.dtrDsr = CheckBoxDtrDsr->isChecked();
    a.xonXoff = CheckBoxXOnXOff->isChecked();
    a.bufR = EditBufR->text();
    a.bufT = EditBufT->text();
    return a;
}

void TFormCOMSetup::Setzen(const Auswahl& a) {
    ComboBoxPort->setCurrentIndex(a.port);
    ComboBoxBaudrate->setCurrentIndex(a.baud);
    ComboBoxDatabit->setCurrentIndex(a.daten);
    ComboBoxParity->setCurrentIndex(a.paritaet);
    ComboBoxStop->setCurrentIndex(a.stopp);
    CheckBoxRtsCts->setChecked(a.rtsCts);
    CheckBoxDtrDsr->setChecked(a.dtrDsr);
    CheckBoxXOnXOff->setChecked(a.xonXoff);
    // The up-down follows the size shown without rewriting it.
    const QSignalBlocker r(UpDownBufR), t(UpDownBufT);
    UpDownBufR->setValue(PositionAusPuffer(a.bufR.toInt()));
    UpDownBufT->setValue(PositionAusPuffer(a.bufT.toInt()));
    EditBufR->setText(a.bufR);
    EditBufT->setText(a.bufT);
}

int TFormCOMSetup::Groesse(const QLineEdit* feld, int sonst) const {
    bool ok = false;
    const int n = feld->text().toInt(&ok);
    return ok ? n : sonst;
}

TSerSettings TFormCOMSetup::Werte() const {
    TSerSettings s = basis_;
    s.gueltig = true;
    const int i = ComboBoxPort->currentIndex();
    s.port = i >= 0 && i < static_cast<int>(geraete_.size()) ? geraete_[i].nummer : 0;
    s.baudrate = static_cast<std::uint8_t>(std::max(0, ComboBoxBaudrate->currentIndex()));
    s.datenbits = static_cast<std::uint8_t>(std::max(0, ComboBoxDatabit->currentIndex()));
    s.paritaet = static_cast<std::uint8_t>(std::max(0, ComboBoxParity->currentIndex()));
    s.stoppbits = static_cast<std::uint8_t>(std::max(0, ComboBoxStop->currentIndex()));
    s.handshakeRtsCts = CheckBoxRtsCts->isChecked();
    s.handshakeDtrDsr = CheckBoxDtrDsr->isChecked();
    s.handshakeXOnXOff = CheckBoxXOnXOff->isChecked();
    s.xOnChar = 0x11;
    s.xOffChar = 0x13;
    s.bufSizeRec = Groesse(EditBufR, basis_.bufSizeRec);
    s.bufSizeTrm = Groesse(EditBufT, basis_.bufSizeTrm);
    return s;
}

std::string TFormCOMSetup::GewaehlterPfad() const {
    const int i = ComboBoxPort->currentIndex();
    if (i < 0 || i >= static_cast<int>(geraete_.size()) || geraete_[i].nummer != 0) {
        return {};
    }
    return geraete_[i].pfad;
}

bool TFormCOMSetup::UsbAdapterGewaehlt() const {
    const int i = ComboBoxPort->currentIndex();
    return i >= 0 && i < static_cast<int>(geraete_.size()) && geraete_[i].nummer == 0 &&
           geraete_[i].usbAdapter;
}

void TFormCOMSetup::reject() {
    Setzen(gemerkt_);
    QDialog::reject();
}

// --- Dialog component -----------------------------------------------------------

TSerExtDlg::TSerExtDlg(QWidget* parent) : form_(new TFormCOMSetup(parent)) {
    QObject::connect(form_, &QDialog::accepted, form_, [this] { Uebernehmen(); });
}

TSerExtDlg::~TSerExtDlg() {
    delete form_.data(); // null when its parent has gone first
}

void TSerExtDlg::Oeffnen() {
    if (Serial != nullptr) {
        Form().Zeigen(Serial->GetSettings(),
                      SerielleGeraete(Serial->StartVerzeichnis(), geraeteOrdner),
                      Serial->FesterPfad());
    } else {
        Form().Zeigen(Grundeinstellung(), SerielleGeraete({}, geraeteOrdner), {});
    }
    if (PositionDlg) {
        form_->move(LeftDlg, TopDlg);
    }
}

bool TSerExtDlg::Execute() {
    Oeffnen();
    return form_->exec() == QDialog::Accepted;
}

void TSerExtDlg::Uebernehmen() {
    werte_ = form_->Werte();
    if (Serial == nullptr) {
        return;
    }
    const std::string pfad = form_->GewaehlterPfad();
    if (form_->UsbAdapterGewaehlt()) {
        AdapterVerknuepfen(pfad);
    } else if (!pfad.empty()) {
        // A device no port number reaches stands for every port number.
        Serial->FesterGeraetepfad(pfad);
    } else {
        if (!Serial->FesterPfad().empty()) {
            Serial->FesterGeraetepfad({});
        }
        Serial->SetCOMPort(werte_.port);
    }
    Serial->Baudrate = static_cast<TBaudrate>(werte_.baudrate);
    Serial->DataBits = static_cast<TDataBits>(werte_.datenbits);
    Serial->SetParityBit(static_cast<TParityBit>(werte_.paritaet));
    Serial->StopBits = static_cast<TStopBits>(werte_.stoppbits);
    Serial->HandshakeRtsCts = werte_.handshakeRtsCts;
    Serial->HandshakeDtrDsr = werte_.handshakeDtrDsr;
    Serial->HandshakeXOnXOff = werte_.handshakeXOnXOff;
    Serial->SetBufSizeRec(werte_.bufSizeRec);
    Serial->SetBufSizeTrm(werte_.bufSizeTrm);
}

} // namespace korvx
