#include "EditorAboutDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "render/PlatformSupport.h"

namespace trundlex {

namespace {

EditorLink::Opener& opener() {
    static EditorLink::Opener open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return open;
}

}  // namespace

EditorLink::EditorLink(const QString& text, QUrl url, QWidget* parent)
    : QLabel(parent), url_(std::move(url)) {
    setText(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()));
    setCursor(Qt::PointingHandCursor);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setToolTip(url_.toString());
}

void EditorLink::setOpener(Opener open) {
    opener() = std::move(open);
}

bool EditorLink::open(const QUrl& url, QWidget* parent) {
    if (opener()(url)) {
        return true;
    }
    const QString reason =
        url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())
            ? tr("The specified file was not found.")
            : tr("There is no application associated\nwith the given filename extension.");
    QMessageBox::warning(parent, tr("Trundlex Editor"), tr("Can't open link:\n\n") + reason);
    return false;
}

void EditorLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        open(url_, this);
    }
    QLabel::mouseReleaseEvent(event);
}

QUrl editorManualUrl() {
    const QString folder = dataFolder(QStringLiteral("Manual"));
    const QString page = QLocale().language() == QLocale::Swedish ? QStringLiteral("index-se.html")
                                                                  : QStringLiteral("index.html");
    return QUrl::fromLocalFile(
        (folder.isEmpty() ? programFolder() + QStringLiteral("/Manual") : folder) +
        QLatin1Char('/') + page);
}

EditorAboutDialog::EditorAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Trundlex Editor"));
    auto* icon = new QLabel(this);
    icon->setPixmap(windowIcon().pixmap(64, 64));
    auto* title = new QLabel(QStringLiteral("<h2>Trundlex Editor 1.0</h2>"), this);
    auto* credits = new QLabel(tr("The course editor of Trundlex: draw levels block by block, "
                                  "turn and mirror them, make random ones and test them with "
                                  "the game's own ball. Made by the Trundlex team at "
                                  "Brackwater Works."),
                               this);
    credits->setWordWrap(true);
    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(credits);
    text->addWidget(new EditorLink(tr("Brackwater Works on the web"),
                                   QUrl(QStringLiteral("https://brackwater.example/trundlex/")),
                                   this));
    text->addWidget(new EditorLink(
        tr("Write to us"), QUrl(QStringLiteral("mailto:trundlex@brackwater.example")), this));
    text->addWidget(new EditorLink(tr("Read the manual"), editorManualUrl(), this));
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    setMinimumWidth(380);
}

}  // namespace trundlex
