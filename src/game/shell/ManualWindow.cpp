#include "ManualWindow.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/AboutDialog.h"

namespace trundlex {

namespace {

ManualWindow::Browser& browserSlot() {
    static ManualWindow::Browser browser = &ManualWindow::openInDesktopBrowser;
    return browser;
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// xdg-open starts whatever it finds and reports nothing back to the program that called it,
// so a desktop with no browser swallows the page without a word. Ask the same places it
// looks in beforehand: the handler of HTML files, $BROWSER, and the usual browser commands.
bool desktopHasBrowser() {
    if (!qEnvironmentVariableIsEmpty("BROWSER")) {
        return true;
    }
    if (!QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                                 QStringLiteral("text/html")});
        if (query.waitForFinished(2000) && query.exitCode() == 0 &&
            !query.readAllStandardOutput().trimmed().isEmpty()) {
            return true;
        }
        if (query.state() != QProcess::NotRunning) {
            query.kill();
            query.waitForFinished(500);
        }
    }
    for (const char* name : {"x-www-browser", "firefox", "chromium", "chromium-browser",
                             "google-chrome", "epiphany", "konqueror", "falkon"}) {
        if (!QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty()) {
            return true;
        }
    }
    return false;
}
#else
bool desktopHasBrowser() {
    return true;
}
#endif

}  // namespace

ManualWindow::ManualWindow(const QUrl& page, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Trundlex manual"));
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    browser_->setSource(page);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* back = buttons->addButton(tr("&Back"), QDialogButtonBox::ActionRole);
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addWidget(buttons);
    QSize size(760, 680);
    if (const QScreen* screen = parent ? parent->screen() : nullptr) {
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    }
    resize(size);
}

ManualWindow* ManualWindow::show(const QUrl& page, QWidget* parent) {
    if (page.isLocalFile() && !QFileInfo::exists(page.toLocalFile())) {
        QMessageBox::warning(parent, QStringLiteral("Trundlex"), HyperLink::failureText(page));
        return nullptr;
    }
    if (browserSlot()(page)) {
        return nullptr;
    }
    ManualWindow* window = parent ? parent->findChild<ManualWindow*>() : nullptr;
    if (window) {
        window->browser()->setSource(page);
    } else {
        window = new ManualWindow(page, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->QDialog::show();
    window->raise();
    window->activateWindow();
    return window;
}

void ManualWindow::setBrowser(Browser browser) {
    browserSlot() = browser ? std::move(browser) : Browser(&ManualWindow::openInDesktopBrowser);
}

bool ManualWindow::openInDesktopBrowser(const QUrl& page) {
    return desktopHasBrowser() && QDesktopServices::openUrl(page);
}

}  // namespace trundlex
