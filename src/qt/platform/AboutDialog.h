#pragma once

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QUrl>
#include <functional>

namespace trundlex {

// A link that looks like one: underlined, with a hand cursor; a click opens it with the
// desktop's program for it, and a failure is told in a message box captioned `caption`
// (the program's name).
class HyperLink : public QLabel {
    Q_OBJECT

public:
    HyperLink(const QString& text, QUrl url, QString caption, QWidget* parent = nullptr);
    const QUrl& url() const { return url_; }

    // What opens a link; the desktop by default (tests replace it). True when it opened.
    using Opener = std::function<bool(const QUrl&)>;
    static void setOpener(Opener opener);
    // Opens `url`; on failure (also for a local file that does not exist, which the opener is
    // then not asked for) shows failureText over `parent`, in a message box captioned
    // `caption`, and returns false.
    static bool open(const QUrl& url, const QString& caption, QWidget* parent);
    // Opens this link, as above.
    bool open();
    // The reason shown when opening `url` failed.
    static QString failureReason(const QUrl& url);
    // What the user is told: the file or address that could not be opened, and why.
    static QString failureText(const QUrl& url);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static bool isMissingFile(const QUrl& url);

    QUrl url_;
    QString caption_;
};

// The manual page of the user's language, "Manual/index.html" or, in Swedish,
// "Manual/index-se.html", from the programs' data folder (next to the program when none).
QUrl manualUrl();
// Opens the manual; false (and a message captioned `caption`) when it cannot be opened.
bool openManual(const QString& caption, QWidget* parent);

// The version of every program of the project: the project version CMake sets ("1.01").
QString programVersion();

// What an about box shows of its program. The texts are already translated.
struct AboutContent {
    QString windowTitle;  // "About Trundlex"
    QString name;         // the program's name, "Trundlex"; also the caption of link failures
    QString version;      // shown after the name in the heading: programVersion()
    QString description;  // a sentence or two on what the program is and who made it
    QUrl manual;          // the page "Read the manual" opens
    QIcon icon;           // shown at the top left; the window's icon when null
};

// Version, credits and links to the web page, the e-mail address and the manual.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(const AboutContent& content, QWidget* parent = nullptr);
    // The web page, the e-mail address and the manual, in this order.
    QList<HyperLink*> links() const { return findChildren<HyperLink*>(); }
};

}  // namespace trundlex
