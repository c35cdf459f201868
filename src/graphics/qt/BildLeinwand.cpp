#include "graphics/qt/BildLeinwand.h"

#include "graphics/Rasterung.h"
#include "state/Dateien.h"
#include "state/Text.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <span>
#include <string>

namespace korvx {

namespace {

QColor AlsQColor(Farbe f) {
    return QColor(static_cast<int>((f >> 16) & 0xFF), static_cast<int>((f >> 8) & 0xFF),
                  static_cast<int>(f & 0xFF));
}

QString AlsQString(std::string_view text1252) {
    const std::string utf8 = NachUtf8(text1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Dash patterns in pen widths, as long as the classic screen pens draw them,
// so a dashed rapid move shows clear gaps.
constexpr int kStrich[] = {18, 6};
constexpr int kPunktiert[] = {3, 3};
constexpr int kStrichPunkt[] = {9, 6, 3, 6};
constexpr int kStrichPunktPunkt[] = {9, 3, 3, 3, 3, 3};

std::span<const int> Strichmuster(StiftStil stil) {
    switch (stil) {
    case StiftStil::Strich:
        return kStrich;
    case StiftStil::Punktiert:
        return kPunktiert;
    case StiftStil::StrichPunkt:
        return kStrichPunkt;
    case StiftStil::StrichPunktPunkt:
        return kStrichPunktPunkt;
    default:
        return {};
    }
}

// Larger circles go to Qt, which clips them to the image first.
constexpr std::int64_t kGroessterDirekterDurchmesser = 1 << 17;

// A pen Qt would draw as a thin solid or dashed line; such figures are set
// into the pixels directly (thousands of times faster per move than a pen
// change and a painter call).
bool DuennerStift(const StiftZustand& s) {
    return s.breite <= 1 && s.stil != StiftStil::Unsichtbar;
}

} // namespace

BildLeinwand::BildLeinwand(int breite, int hoehe)
    : bild_(std::max(breite, 1), std::max(hoehe, 1), QImage::Format_RGB32) {
    bild_.fill(Qt::white);
    schrift_.setFamily(QStringLiteral("DejaVu Sans"));
    schrift_.setPixelSize(12);
}

BildLeinwand::~BildLeinwand() {
    Beenden();
}

QPainter& BildLeinwand::Maler() {
    if (!maler_) {
        zielGueltig_ = false;
        maler_ = std::make_unique<QPainter>(&bild_);
        maler_->setRenderHint(QPainter::Antialiasing, false);
        maler_->setRenderHint(QPainter::TextAntialiasing, false);
        maler_->setFont(schrift_);
        stiftGeaendert_ = true;
        pinselGeaendert_ = true;
    }
    if (stiftGeaendert_) {
        StiftAnwenden();
    }
    if (pinselGeaendert_) {
        PinselAnwenden();
    }
    return *maler_;
}

void BildLeinwand::GroesseAendern(int breite, int hoehe) {
    Beenden();
    QImage neu(std::max(breite, 1), std::max(hoehe, 1), QImage::Format_RGB32);
    neu.fill(Qt::white);
    {
        QPainter maler(&neu);
        maler.drawImage(0, 0, bild_);
    }
    bild_ = std::move(neu);
}

void BildLeinwand::Beenden() {
    zielGueltig_ = false;
    if (maler_) {
        maler_->end();
        maler_.reset();
    }
}

void BildLeinwand::StiftAnwenden() {
    QPen stift;
    if (stift_.stil == StiftStil::Unsichtbar) {
        stift.setStyle(Qt::NoPen);
    } else {
        stift.setColor(AlsQColor(stift_.farbe));
        stift.setWidth(std::max(stift_.breite, 1));
        // A thin line leaves its end pixel unset. A wide pen paints the band a
        // round cutter sweeps: round ends, so the segments of a contour meet
        // without notches at its corners and a plunge shows the cutter's circle.
        const bool breit = stift_.breite > 1;
        stift.setCapStyle(breit ? Qt::RoundCap : Qt::FlatCap);
        stift.setJoinStyle(breit ? Qt::RoundJoin : Qt::MiterJoin);
        const std::span<const int> muster = Strichmuster(stift_.stil);
        if (muster.empty()) {
            stift.setStyle(Qt::SolidLine);
        } else {
            stift.setDashPattern(QList<qreal>(muster.begin(), muster.end()));
        }
    }
    maler_->setPen(stift);
    maler_->setCompositionMode(stift_.modus == RasterModus::NichtXor
                                   ? QPainter::RasterOp_NotSourceXorDestination
                                   : QPainter::CompositionMode_SourceOver);
    stiftGeaendert_ = false;
}

void BildLeinwand::PinselAnwenden() {
    if (pinselStil_ == PinselStil::Leer) {
        maler_->setBrush(Qt::NoBrush);
        maler_->setBackgroundMode(Qt::TransparentMode);
    } else {
        maler_->setBrush(AlsQColor(pinsel_));
        maler_->setBackground(AlsQColor(pinsel_));
        maler_->setBackgroundMode(Qt::OpaqueMode);
    }
    pinselGeaendert_ = false;
}

const QImage& BildLeinwand::Bild() {
    Beenden();
    return bild_;
}

void BildLeinwand::Punkt(int x, int y, Farbe farbe) {
    StiftFarbe(farbe);
    raster::Punkt(Pixelziel(), x, y, farbe);
}

raster::Ziel BildLeinwand::Pixelziel() {
    if (zielGueltig_) {
        return ziel_;
    }
    // While the painter is active it paints into the image's own buffer: the
    // image is handed out only with the painter ended, so it is not shared
    // then, and figures set directly land in the same pixels.
    uchar* daten = maler_ ? const_cast<uchar*>(bild_.constBits()) : bild_.bits();
    ziel_ = {reinterpret_cast<std::uint32_t*>(daten), bild_.width(), bild_.height(),
             static_cast<std::ptrdiff_t>(bild_.bytesPerLine() / 4)};
    zielGueltig_ = true;
    return ziel_;
}

const raster::Stift& BildLeinwand::RasterStift() {
    if (rasterStiftGueltig_) {
        return rasterStift_;
    }
    rasterStiftGueltig_ = true;
    raster::Stift& s = rasterStift_;
    s.farbe = stift_.farbe;
    s.nichtXor = stift_.modus == RasterModus::NichtXor;
    s.muster = Strichmuster(stift_.stil);
    // A set brush paints the gaps of a dashed line, as Qt's opaque
    // background mode does.
    s.deckend = pinselStil_ != PinselStil::Leer;
    s.grund = pinsel_;
    return s;
}

void BildLeinwand::Linie(int x0, int y0, int x1, int y1) {
    if (stift_.stil == StiftStil::Unsichtbar) {
        return;
    }
    if (DuennerStift(stift_)) {
        raster::Linie(Pixelziel(), x0, y0, x1, y1, RasterStift());
        return;
    }
    Maler().drawLine(x0, y0, x1, y1);
}

// Pen and brush are passed on only when they change: a move sets them
// several times over to the same values.
void BildLeinwand::StiftFarbe(Farbe farbe) {
    if (stift_.farbe == farbe) {
        return;
    }
    stift_.farbe = farbe;
    stiftGeaendert_ = true;
    rasterStiftGueltig_ = false;
}

void BildLeinwand::StiftArt(StiftStil stil, int breite) {
    if (stift_.stil == stil && stift_.breite == breite) {
        return;
    }
    stift_.stil = stil;
    stift_.breite = breite;
    stiftGeaendert_ = true;
    rasterStiftGueltig_ = false;
}

void BildLeinwand::StiftModus(RasterModus modus) {
    if (stift_.modus == modus) {
        return;
    }
    stift_.modus = modus;
    stiftGeaendert_ = true;
    rasterStiftGueltig_ = false;
}

void BildLeinwand::PinselFarbe(Farbe farbe) {
    if (pinsel_ == farbe) {
        return;
    }
    pinsel_ = farbe;
    pinselGeaendert_ = true;
    rasterStiftGueltig_ = false;
}

void BildLeinwand::PinselArt(PinselStil stil) {
    if (pinselStil_ == stil) {
        return;
    }
    pinselStil_ = stil;
    pinselGeaendert_ = true;
    rasterStiftGueltig_ = false;
}

void BildLeinwand::Ellipse(int x0, int y0, int x1, int y1) {
    // A thin solid outline of a circle without fill (the tool cursor) is set
    // directly: a box of even side 2r whose centre is a pixel.
    const std::int64_t seite = std::llabs(std::int64_t{x1} - x0);
    if (DuennerStift(stift_) && Strichmuster(stift_.stil).empty() &&
        pinselStil_ == PinselStil::Leer && seite == std::llabs(std::int64_t{y1} - y0) &&
        seite % 2 == 0 && seite <= kGroessterDirekterDurchmesser) {
        raster::Kreis(Pixelziel(), static_cast<int>((std::int64_t{x0} + x1) / 2),
                      static_cast<int>((std::int64_t{y0} + y1) / 2), static_cast<int>(seite / 2),
                      RasterStift());
        return;
    }
    const QRect kasten = QRect(QPoint(x0, y0), QPoint(x1, y1)).normalized();
    // The box's right and bottom edges lie just outside the figure.
    Maler().drawEllipse(kasten.adjusted(0, 0, -1, -1));
}

void BildLeinwand::Polygon(std::span<const std::pair<int, int>> punkte) {
    QPolygon vieleck;
    for (const auto& [x, y] : punkte) {
        vieleck << QPoint(x, y);
    }
    Maler().drawPolygon(vieleck);
}

void BildLeinwand::Text(int x, int y, std::string_view text) {
    QPainter& m = Maler();
    const QPen stift = m.pen();
    const auto modus = m.compositionMode();
    m.setPen(Qt::black);
    m.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QFontMetrics metrik(schrift_);
    m.drawText(x, y + metrik.ascent(), AlsQString(text));
    m.setPen(stift);
    m.setCompositionMode(modus);
}

int BildLeinwand::TextBreite(std::string_view text) {
    return QFontMetrics(schrift_).horizontalAdvance(AlsQString(text));
}

int BildLeinwand::TextHoehe(std::string_view) {
    return QFontMetrics(schrift_).height();
}

void BildLeinwand::Loeschen() {
    Beenden();
    bild_.fill(AlsQColor(pinsel_));
}

std::vector<std::uint8_t> BildLeinwand::Kodieren(const char* format) {
    Beenden();
    QByteArray bytes;
    QBuffer puffer(&bytes);
    puffer.open(QIODevice::WriteOnly);
    if (!bild_.save(&puffer, format)) {
        return {};
    }
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            reinterpret_cast<const std::uint8_t*>(bytes.constData()) + bytes.size()};
}

std::vector<std::uint8_t> BildLeinwand::Bitmap() {
    return Kodieren("BMP");
}

bool BildLeinwand::Speichern(std::string_view pfad1252) {
    const std::size_t punkt = pfad1252.rfind('.');
    std::string format = "PNG";
    if (punkt != std::string_view::npos) {
        format.clear();
        for (char c : pfad1252.substr(punkt + 1)) {
            format.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }
    }
    const std::vector<std::uint8_t> daten = Kodieren(format.c_str());
    return !daten.empty() && DateiSicherSchreiben(pfad1252, daten);
}

} // namespace korvx
