#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>
#include <functional>

namespace trundlex {

// A link that looks like one: underlined, with a hand cursor; a click opens it with the
// desktop's program for it, and a failure is told in a message box.
class HyperLink : public QLabel {
    Q_OBJECT

public:
    HyperLink(const QString& text, QUrl url, QWidget* parent = nullptr);
    const QUrl& url() const { return url_; }

    // What opens a link; the desktop by default (tests replace it).
    using Opener = std::function<bool(const QUrl&)>;
    static void setOpener(Opener opener);
    // Opens the link; on failure shows "Can't open link:" with the reason and returns false.
    bool open();
    // The reason shown when opening `url` failed.
    static QString failureReason(const QUrl& url);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl url_;
};

// The manual page of the user's language, from the program's Manual folder.
QUrl manualUrl();
// Opens the manual; false (and a message) when it cannot be opened.
bool openManual(QWidget* parent);

// Version, credits and links to the web page, the e-mail address and the manual.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    QList<HyperLink*> links() const;
};

}  // namespace trundlex
