#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

class QTextBrowser;

namespace trundlex {

// The shipped manual in a window of the game, for a computer without a web browser: F1 must
// show something there too rather than hand the page to a desktop that drops it. Links
// inside the manual (the other language) stay in the window; web links go to the desktop.
class ManualWindow : public QDialog {
    Q_OBJECT

public:
    explicit ManualWindow(const QUrl& page, QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }

    // Shows the manual page `page`: in the desktop's web browser when there is one, otherwise
    // in the game's own window over `parent` (one such window, raised when already open). A
    // page that does not exist is told in a message box instead. Returns the game's window
    // when it was used, null otherwise.
    static ManualWindow* show(const QUrl& page, QWidget* parent);

    // Hands a page to a web browser; false when the computer has none or it could not be
    // started. The desktop's by default; tests replace it.
    using Browser = std::function<bool(const QUrl&)>;
    static void setBrowser(Browser browser);
    // The default: whether a web browser is known to this desktop, and if so it is asked.
    static bool openInDesktopBrowser(const QUrl& page);

private:
    QTextBrowser* browser_;
};

}  // namespace trundlex
