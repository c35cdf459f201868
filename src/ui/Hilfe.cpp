#include "ui/Hilfe.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The pages live in this static library; nothing else references them, so
// they are registered explicitly (at global scope, as the macro requires).
static void HilfeseitenAnmelden() {
    Q_INIT_RESOURCE(hilfe);
}

namespace korvx {

THilfeFenster::THilfeFenster(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QString::fromUtf8("Korvelantrix-Hilfe"));
    HilfeBrowser = new QTextBrowser(this);
    HilfeBrowser->setObjectName("HilfeBrowser");
    HilfeBrowser->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(HilfeBrowser);
    resize(560, 480);
}

QString THilfeFenster::Inhaltsseite() {
    return QStringLiteral(":/hilfe/index.html");
}

QString THilfeFenster::Seite(int hilfekontext) {
    static const bool angemeldet = (HilfeseitenAnmelden(), true);
    (void)angemeldet;
    const QString seite = QStringLiteral(":/hilfe/%1.html").arg(hilfekontext);
    return hilfekontext > 0 && QFile::exists(seite) ? seite : Inhaltsseite();
}

void THilfeFenster::Zeigen(int hilfekontext) {
    HilfeBrowser->setSource(QUrl(QStringLiteral("qrc") + Seite(hilfekontext)));
    show();
    raise();
    activateWindow();
}

} // namespace korvx
