#include "ChatBox.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "net/NetGame.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

namespace {

std::string toBytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace

ChatBox::ChatBox(NetGame& net, QWidget* parent)
    : QWidget(parent),
      net_(&net),
      bridge_(handoff_, [this](NetEvent event) { handleNetEvent(event); }) {
    history_ = new QPlainTextEdit(this);
    history_->setReadOnly(true);
    message_ = new QLineEdit(this);
    message_->setMaxLength(100);
    message_->setPlaceholderText(tr("Write your message here..."));
    message_->setMinimumWidth(60);
    sender_ = new QLabel(this);
    sender_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    send_ = new QPushButton(tr("&Send"), this);
    send_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(history_, 0, 0, 1, 3);
    layout->addWidget(sender_, 1, 0);
    layout->addWidget(message_, 1, 1);
    layout->addWidget(send_, 1, 2);
    layout->setColumnStretch(1, 1);
    if (parent != nullptr) {
        parent->installEventFilter(this);
    }
    connect(send_, &QPushButton::clicked, this, &ChatBox::send);
    connect(message_, &QLineEdit::returnPressed, this, &ChatBox::send);
    net_->addListener(&bridge_);
}

ChatBox::~ChatBox() { detach(); }

void ChatBox::detach() {
    if (net_ != nullptr) {
        net_->removeListener(&bridge_);
        net_ = nullptr;
    }
    bridge_.release();
}

void ChatBox::appendLine(const QString& name, const QString& text) {
    const QString line = name.isEmpty() ? text : name + QStringLiteral("> ") + text;
    history_->appendPlainText(line);
    history_->verticalScrollBar()->setValue(history_->verticalScrollBar()->maximum());
}

void ChatBox::setName(const QString& name) {
    name_ = name;
    showName();
}

void ChatBox::showName() {
    // At most a third of the row, so the line to write keeps the rest.
    const QString shown = name_.isEmpty() ? QString() : name_ + QLatin1Char(':');
    sender_->setText(sender_->fontMetrics().elidedText(shown, Qt::ElideRight, width() / 3));
    sender_->setToolTip(name_);
}

bool ChatBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        fitIntoParent();
    }
    return QWidget::eventFilter(watched, event);
}

void ChatBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!fitting_ && width() != fittedWidth_) {
        wantedWidth_ = width();
        fitIntoParent();
    }
    showName();
}

void ChatBox::fitIntoParent() {
    const QWidget* parent = parentWidget();
    if (parent == nullptr) {
        return;
    }
    // A hidden box hears of its geometry only when shown: its width so far is the wish.
    if (wantedWidth_ <= 0) {
        wantedWidth_ = width();
    }
    const int fitted = std::max(120, std::min(wantedWidth_, parent->width() - x() - 4));
    if (fitted != width()) {
        fitting_ = true;
        fittedWidth_ = fitted;
        resize(fitted, height());
        fitting_ = false;
    }
}

QString ChatBox::history() const { return history_->toPlainText(); }

void ChatBox::setInputEnabled(bool enabled) {
    message_->setEnabled(enabled);
    send_->setEnabled(enabled);
}

bool ChatBox::send() {
    if (net_ == nullptr) {
        return false;
    }
    const QString text = message_->text();
    const QString name = name_;
    if (text.trimmed().isEmpty() || name.trimmed().isEmpty()) {
        return false;
    }
    const netproto::TextProblem problem = net_->sendChat(toBytes(text), toBytes(name));
    if (problem != netproto::TextProblem::None) {
        const QString why = problem == netproto::TextProblem::Separator
                                ? tr("A name cannot contain \"|\".")
                            : problem == netproto::TextProblem::TooLong
                                ? tr("The name is too long.")
                                : tr("The text contains a character that cannot be sent.");
        QMessageBox::warning(this, tr("Chat"), why);
        return false;
    }
    appendLine(name, text);
    message_->clear();
    message_->setFocus();
    return true;
}

QString ChatBox::disconnectLine(const NetEventData& data) {
    if (data.hostStopped) {
        return tr("The room host has stopped; the game ends here.");
    }
    if (data.gameAbandoned) {
        // The results that follow offer to rejoin.
        return tr("The connection to the room host was lost.");
    }
    const QString handed = toDisplayText(data.computerPlaysFor);
    if (handed.isEmpty()) {
        if (data.serverLost) {
            return tr("You have been disconnected from the server.");
        }
        return data.disconnectNames.empty()
                   ? toDisplayText(data.disconnectText)
                   : tr("%1 is disconnected.").arg(toDisplayText(data.disconnectNames));
    }
    if (data.serverLost) {
        return tr("You have been disconnected from the server; the computer plays for %1.")
            .arg(handed);
    }
    return tr("%1 is disconnected; the computer plays for %2.")
        .arg(toDisplayText(data.disconnectNames), handed);
}

void ChatBox::handleNetEvent(NetEvent event) {
    switch (event) {
        case NetConnectionAdded:
            if (!history_->toPlainText().isEmpty()) {
                appendLine({}, {});
            }
            appendLine({}, tr("-------------------------------- New game "
                              "--------------------------------"));
            setInputEnabled(true);
            break;
        case NetChat:
            if (net_ == nullptr) {
                break;
            }
            appendLine(toDisplayText(net_->chatName()), toDisplayText(net_->chatText()));
            break;
        case NetEnded:
            setInputEnabled(false);
            break;
        case NetCatchUp:
            appendLine({}, QStringLiteral("[") + tr("You are back in the game.") +
                               QStringLiteral("]"));
            break;
        case NetPlayersReturned:
            if (net_ != nullptr) {
                appendLine({}, QStringLiteral("[") +
                                   tr("%1 is back.").arg(
                                       toDisplayText(net_->eventData().returnedNames)) +
                                   QStringLiteral("]"));
            }
            break;
        case NetDisconnectInfo:
            if (net_ == nullptr) {
                break;
            }
            appendLine({}, QStringLiteral("[") + disconnectLine(net_->eventData()) +
                               QStringLiteral("]"));
            break;
        default:
            break;
    }
}

}  // namespace trundlex
