#include "qtkit/QtText.h"

#include "state/Text.h"

namespace korvx::ui {

QString NachQt(std::string_view cp1252) {
    const std::string utf8 = NachUtf8(cp1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string VonQt(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return NachCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace korvx::ui
