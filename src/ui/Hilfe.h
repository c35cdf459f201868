#pragma once
// The help window: one page per command, shipped inside the program as Qt
// resources (:/hilfe/<context number>.html) and an index page that links them.
// The main window's menu items and tool buttons carry the context numbers.
#include <QWidget>

class QTextBrowser;

namespace korvx {

class THilfeFenster : public QWidget {
    Q_OBJECT
public:
    explicit THilfeFenster(QWidget* parent = nullptr);

    // Shows the page of a context number, or the index for a number without a
    // page, and brings the window to the front.
    void Zeigen(int hilfekontext);

    // The resource of a context number's page; the index when there is none.
    static QString Seite(int hilfekontext);
    static QString Inhaltsseite();

private:
    QTextBrowser* HilfeBrowser;
};

} // namespace korvx
