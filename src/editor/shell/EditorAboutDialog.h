#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>
#include <functional>

namespace trundlex {

// A link in the editor's about box: underlined, with a hand cursor; a click opens it with the
// desktop's program for it, and a failure is told in a message box.
class EditorLink : public QLabel {
    Q_OBJECT

public:
    EditorLink(const QString& text, QUrl url, QWidget* parent = nullptr);
    const QUrl& url() const { return url_; }

    // What opens a link; the desktop by default (tests replace it). True when it opened.
    using Opener = std::function<bool(const QUrl&)>;
    static void setOpener(Opener opener);
    // Opens `url`; on failure tells the user why (over `parent`) and returns false.
    static bool open(const QUrl& url, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl url_;
};

// The editor's manual page in the user's language: "Manual/index.html", or
// "Manual/index-se.html" in Swedish, from the folder next to the program.
QUrl editorManualUrl();

// "About Trundlex Editor": the version and the same links as the game's about box (web page,
// e-mail, manual).
class EditorAboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit EditorAboutDialog(QWidget* parent = nullptr);
    QList<EditorLink*> links() const { return findChildren<EditorLink*>(); }
};

}  // namespace trundlex
