#include "PlayersPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <optional>

#include "BallPreview.h"
#include "ColourSwatches.h"
#include "ScoreBoard.h"
#include "ball/Ball.h"
#include "play/BallColours.h"
#include "play/Match.h"
#include "render/BallRenderer.h"
#include "platform/PlatformSupport.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

QSlider* patternSlider(QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(0, Ball::PatternCount);
    return slider;
}

// Numbers of the players' icons: the i-th row shows icon i.
constexpr int kIconRole = Qt::UserRole + 1;

}  // namespace

PlayersPage::PlayersPage(Match& setup, const Match& previous, RandomSource& random,
                         QWidget* parent)
    : QWidget(parent), setup_(setup), random_(random) {
    name_ = new QLineEdit(this);
    name_->setMaxLength(40);
    who_ = new QComboBox(this);
    who_->addItem(tr("Person"), static_cast<int>(ComputerStrength::Person));
    who_->addItem(tr("Computer, easy"), static_cast<int>(ComputerStrength::Easy));
    who_->addItem(tr("Computer, medium"), static_cast<int>(ComputerStrength::Medium));
    who_->addItem(tr("Computer, hard"), static_cast<int>(ComputerStrength::Hard));
    add_ = new QPushButton(tr("&Add >>"), this);
    add_->setObjectName(QStringLiteral("addPlayer"));
    players_ = new QListWidget(this);
    players_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    players_->setIconSize(QSize(16, 16));
    delete_ = new QPushButton(tr("&Delete"), this);
    swatches_ = new ColourSwatches(this);
    pattern_ = patternSlider(this);
    transparent_ = new QCheckBox(tr("&Transparent"), this);
    preview_ = new BallPreview(random_, this);

    auto* form = new QFormLayout;
    form->addRow(tr("&Name:"), name_);
    form->addRow(tr("&Plays:"), who_);
    form->addRow(QString(), add_);
    form->addRow(tr("Colour:"), swatches_);
    form->addRow(tr("Pa&ttern:"), pattern_);
    form->addRow(QString(), transparent_);
    form->addRow(QString(), preview_);
    auto* list = new QGridLayout;
    list->addWidget(new QLabel(tr("Player"), this), 0, 0);
    list->addWidget(players_, 1, 0);
    list->addWidget(delete_, 2, 0);
    auto* layout = new QGridLayout(this);
    layout->addLayout(form, 0, 0);
    layout->addLayout(list, 0, 1);

    connect(name_, &QLineEdit::textChanged, this, [this] {
        add_->setEnabled(!nameToAdd().isEmpty());
        // A typed name counts for starting the game (it is added then).
        emit playersChanged();
    });
    name_->installEventFilter(this);
    connect(who_, &QComboBox::currentIndexChanged, this, &PlayersPage::offerComputerName);
    connect(add_, &QPushButton::clicked, this, [this] { addPlayer(nameToAdd()); });
    connect(delete_, &QPushButton::clicked, this, [this] {
        QList<int> rows;
        for (QListWidgetItem* item : players_->selectedItems()) {
            rows << players_->row(item);
        }
        removeRows(rows);
    });
    connect(swatches_, &ColourSwatches::colourChanged, this, &PlayersPage::updatePreview);
    connect(pattern_, &QSlider::valueChanged, this, &PlayersPage::updatePreview);
    connect(transparent_, &QCheckBox::toggled, this, &PlayersPage::updatePreview);

    add_->setEnabled(false);
    // The players of this computer from the last game are offered again.
    for (int i = 0; i < previous.PlayerCount(); ++i) {
        const Player& player = *previous.GetPlayer(i);
        if (!player.IsCreatedLocal()) {
            continue;
        }
        const BallStyle& style = player.GetStyle();
        swatches_->setColour(fromRgbValue(style.colour));
        pattern_->setValue(style.pattern);
        transparent_->setChecked(style.transparent);
        chooseStrength(player.GetComputer());
        addPlayer(toDisplayText(player.GetName()));
    }
    chooseStrength(ComputerStrength::Person);
    name_->clear();
    pickNextColour();
    updatePreview();
}

void PlayersPage::offerComputerName() {
    // Offered in grey rather than typed into the field: a name left in the field would be
    // added once more when the wizard is accepted, as a player nobody asked for.
    const auto strength = static_cast<ComputerStrength>(who_->currentData().toInt());
    name_->setPlaceholderText(strength != ComputerStrength::Person
                                  ? tr("Computer %1").arg(setup_.PlayerCount() + 1)
                                  : QString());
    add_->setEnabled(!nameToAdd().isEmpty());
}

QString PlayersPage::nameToAdd() const {
    const QString typed = name_->text().trimmed();
    return typed.isEmpty() ? name_->placeholderText() : typed;
}

bool PlayersPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == name_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !nameToAdd().isEmpty()) {
            addPlayer(nameToAdd());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PlayersPage::chooseStrength(ComputerStrength strength) {
    const int index = who_->findData(static_cast<int>(strength));
    who_->setCurrentIndex(index >= 0 ? index : 0);
}

std::uint32_t PlayersPage::chosenColour() const {
    return toRgbValue(swatches_->colour());
}

int PlayersPage::chosenPattern() const { return pattern_->value(); }

void PlayersPage::updatePreview() {
    preview_->setBallLook(chosenColour(), chosenPattern(), transparent_->isChecked());
}

void PlayersPage::pickNextColour() {
    // A colour nobody has yet; round the swatches again once all are taken.
    const QList<QColor>& colours = ColourSwatches::colours();
    const std::optional<std::uint32_t> free = firstFreeBallColour(setup_);
    swatches_->setColour(free ? fromRgbValue(*free)
                              : colours[setup_.PlayerCount() % colours.size()]);
    pattern_->setValue(random_.next() % Ball::PatternCount);
}

void PlayersPage::setLook(Look look) {
    preview_->setLook(look);
}

bool PlayersPage::hasTypedName() const {
    return !name_->text().trimmed().isEmpty();
}

void PlayersPage::addTypedPlayer() {
    addPlayer(name_->text().trimmed());
}

void PlayersPage::addPlayer(const QString& name) {
    if (name.isEmpty()) {
        return;
    }
    const QByteArray utf8 = name.toUtf8();
    Player& player = setup_.AddPlayer(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), chosenColour(),
        chosenPattern(), transparent_->isChecked(), Player::LocalConnection);
    const auto strength = static_cast<ComputerStrength>(who_->currentData().toInt());
    player.SetComputer(strength);
    auto* item = new QListWidgetItem(
        ballIcon(chosenColour(), chosenPattern(), transparent_->isChecked()), name);
    if (strength != ComputerStrength::Person) {
        item->setToolTip(who_->currentText());
        item->setText(tr("%1 (%2)").arg(name, who_->currentText()));
    }
    item->setData(kIconRole, players_->count());
    players_->addItem(item);
    players_->scrollToItem(item);
    name_->clear();
    offerComputerName();
    pickNextColour();
    emit playersChanged();
}

void PlayersPage::removeRows(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int row : rows) {
        if (row >= 0 && row < players_->count()) {
            delete players_->takeItem(row);
            setup_.RemovePlayer(row);
        }
    }
    for (int row = 0; row < players_->count(); ++row) {
        players_->item(row)->setData(kIconRole, row);
    }
    emit playersChanged();
}

QStringList PlayersPage::rowNames() const {
    QStringList names;
    for (int row = 0; row < players_->count(); ++row) {
        names << players_->item(row)->text();
    }
    return names;
}

QList<int> PlayersPage::rowIconNumbers() const {
    QList<int> numbers;
    for (int row = 0; row < players_->count(); ++row) {
        numbers << players_->item(row)->data(kIconRole).toInt();
    }
    return numbers;
}

}  // namespace trundlex
