#include "LevelsPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <set>

#include "control/GameContext.h"
#include "LevelPreview.h"
#include "SaveCourseDialog.h"
#include "library/CourseDifficulty.h"
#include "library/CourseLibrary.h"
#include "library/LevelLibrary.h"
#include "play/Match.h"
#include "platform/PlatformSupport.h"
#include "settings/GameSettings.h"
#include "solver/HoleRates.h"
#include "solver/Par.h"
#include "util/RandomSource.h"

namespace trundlex {

namespace {

QTreeWidget* levelList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(2);
    list->setHeaderLabels({LevelsPage::tr("Name"), LevelsPage::tr("Creator")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setColumnWidth(0, 100);
    list->setColumnWidth(1, 90);
    return list;
}

QTreeWidgetItem* levelRow(const Level& level, int libraryIndex) {
    auto* item = new QTreeWidgetItem(
        {toDisplayText(level.name()), toDisplayText(level.creator())});
    item->setData(0, Qt::UserRole, libraryIndex);
    return item;
}

QList<int> selectedRows(const QTreeWidget* list) {
    QList<int> rows;
    for (QTreeWidgetItem* item : list->selectedItems()) {
        rows << list->indexOfTopLevelItem(item);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

LevelsPage::LevelsPage(Match& setup, GameContext& context, QWidget* parent)
    : QWidget(parent), setup_(setup), context_(context) {
    library_ = levelList(this);
    playList_ = levelList(this);
    add_ = new QPushButton(tr("&Add >>"), this);
    up_ = new QPushButton(tr("&Up"), this);
    down_ = new QPushButton(tr("&Down"), this);
    delete_ = new QPushButton(tr("D&elete"), this);
    save_ = new QPushButton(tr("&Save course..."), this);
    courses_ = new QComboBox(this);
    load_ = new QPushButton(tr("&Load"), this);
    random_ = new QComboBox(this);
    go_ = new QPushButton(tr("&Go"), this);
    preview_ = new LevelPreview(this);
    preview_->setLook(static_cast<Look>(context_.settings.look()));
    auto* total = new QLabel(tr("Total number of levels: %1").arg(context_.levels.count()), this);

    auto* previewBox = new QGroupBox(tr("Preview"), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(preview_);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add_);
    middle->addStretch();
    auto* playButtons = new QHBoxLayout;
    playButtons->addWidget(up_);
    playButtons->addWidget(down_);
    playButtons->addWidget(delete_);
    playButtons->addWidget(save_);
    auto* picks = new QGridLayout;
    auto* courseLabel = new QLabel(tr("&Pick course:"), this);
    courseLabel->setBuddy(courses_);
    auto* randomLabel = new QLabel(tr("&Random course:"), this);
    randomLabel->setBuddy(random_);
    picks->addWidget(courseLabel, 0, 0);
    picks->addWidget(courses_, 0, 1);
    picks->addWidget(load_, 0, 2);
    picks->addWidget(randomLabel, 1, 0);
    picks->addWidget(random_, 1, 1);
    picks->addWidget(go_, 1, 2);
    picks->addWidget(total, 2, 0, 1, 3);
    // The holes of the course picked, small, in playing order.
    courseHoles_ = new QWidget(this);
    auto* holesLayout = new QHBoxLayout(courseHoles_);
    holesLayout->setContentsMargins(0, 0, 0, 0);
    holesLayout->setSpacing(2);
    holesLayout->addStretch();
    picks->addWidget(courseHoles_, 3, 0, 1, 3);

    auto* layout = new QGridLayout(this);
    layout->addWidget(library_, 0, 0);
    layout->addLayout(middle, 0, 1);
    layout->addWidget(playList_, 0, 2);
    layout->addLayout(picks, 1, 0);
    layout->addLayout(playButtons, 1, 2);
    layout->addWidget(previewBox, 2, 0, 1, 3);
    layout->setRowStretch(2, 1);

    for (int i = 0; i < context_.levels.count(); ++i) {
        library_->addTopLevelItem(levelRow(context_.levels.at(i), i));
    }
    for (int holes : randomCourseSizes()) {
        random_->addItem(tr("Number of holes: %1").arg(holes), holes);
    }
    fillCourses();
    rebuildPlayList();

    connect(add_, &QPushButton::clicked, this, [this] { addLibraryRows(selectedRows(library_)); });
    connect(library_, &QTreeWidget::itemDoubleClicked, this,
            [this] { addLibraryRows(selectedRows(library_)); });
    connect(delete_, &QPushButton::clicked, this, [this] { removeRows(selectedRows(playList_)); });
    connect(up_, &QPushButton::clicked, this, [this] { moveRows(selectedRows(playList_), true); });
    connect(down_, &QPushButton::clicked, this,
            [this] { moveRows(selectedRows(playList_), false); });
    connect(load_, &QPushButton::clicked, this, [this] { loadCourse(courses_->currentIndex()); });
    connect(courses_, &QComboBox::currentIndexChanged, this, &LevelsPage::showCourseHoles);
    connect(go_, &QPushButton::clicked, this, [this] {
        if (random_->currentIndex() >= 0) {
            drawRandomCourse(random_->currentData().toInt());
        }
    });
    connect(save_, &QPushButton::clicked, this, &LevelsPage::saveCourse);
    for (QTreeWidget* list : {library_, playList_}) {
        connect(list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
            if (item != nullptr) {
                showPreview(item->data(0, Qt::UserRole).toInt());
            }
        });
    }
}

QList<int> LevelsPage::randomCourseSizes() const {
    QList<int> sizes;
    for (int holes = 3; holes <= 18 && holes <= context_.levels.count(); holes += 3) {
        sizes << holes;
    }
    return sizes;
}

void LevelsPage::fillCourses() {
    courses_->clear();
    for (int i = 0; i < context_.courses.count(); ++i) {
        const Course& course = context_.courses.at(i);
        const QString name = toDisplayText(course.name());
        const QString label = difficultyLabel(course);
        courses_->addItem(label.isEmpty() ? name : tr("%1 (%2)").arg(name, label));
    }
    const int current = context_.courses.findById(setup_.GetName());
    if (current >= 0) {
        courses_->setCurrentIndex(current);
    }
    load_->setEnabled(courses_->count() > 0);
    showCourseHoles(courses_->currentIndex());
}

QString LevelsPage::difficultyLabel(const Course& course) const {
    // Only from pars already known (shipped or worked out before): the picker never waits for
    // the solver, and a course with an unknown par goes without a label.
    if (context_.pars == nullptr) {
        return {};
    }
    std::vector<HoleFigures> holes;
    for (const Level& level : course.resolve(context_.levels).levels) {
        const std::optional<double> rate =
            context_.holeRates != nullptr ? context_.holeRates->lookup(level) : std::nullopt;
        holes.push_back({.par = context_.pars->lookup(level).value_or(0), .holeRate = rate});
    }
    if (static_cast<int>(holes.size()) != course.levelCount()) {
        return {};
    }
    const std::optional<CourseDifficulty> rated = rateCourse(holes);
    if (!rated) {
        return {};
    }
    switch (*rated) {
        case CourseDifficulty::Easy:
            return tr("Easy");
        case CourseDifficulty::Medium:
            return tr("Medium");
        case CourseDifficulty::Hard:
            return tr("Hard");
    }
    return {};
}

void LevelsPage::showCourseHoles(int index) {
    auto* layout = static_cast<QHBoxLayout*>(courseHoles_->layout());
    while (layout->count() > 1) {
        QLayoutItem* item = layout->takeAt(0);
        delete item->widget();
        delete item;
    }
    if (index < 0 || index >= context_.courses.count()) {
        return;
    }
    const Look look = static_cast<Look>(context_.settings.look());
    int at = 0;
    for (const Level& level : context_.courses.at(index).resolve(context_.levels).levels) {
        auto* hole = new LevelPreview(courseHoles_);
        hole->setLook(look);
        hole->setLevel(level);
        hole->setFixedSize(40, 28);
        hole->setToolTip(toDisplayText(level.name()));
        layout->insertWidget(at++, hole);
    }
}

void LevelsPage::rebuildPlayList() {
    playList_->clear();
    for (int i = 0; i < setup_.LevelCount(); ++i) {
        const int index = context_.levels.findById(setup_.GetLevelId(i));
        if (index >= 0) {
            playList_->addTopLevelItem(levelRow(context_.levels.at(index), index));
        } else {
            auto* missing = new QTreeWidgetItem({tr("(missing level)"), QString()});
            missing->setData(0, Qt::UserRole, -1);
            playList_->addTopLevelItem(missing);
        }
    }
    save_->setEnabled(setup_.LevelCount() > 0);
    go_->setEnabled(random_->count() > 0);
    emit levelsChanged();
}

void LevelsPage::addLibraryRows(QList<int> rows) {
    std::sort(rows.begin(), rows.end());
    for (int row : rows) {
        if (row >= 0 && row < context_.levels.count()) {
            setup_.AddLevel(context_.levels.at(row).id());
        }
    }
    rebuildPlayList();
}

void LevelsPage::removeRows(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int row : rows) {
        setup_.RemoveLevel(row);
    }
    rebuildPlayList();
}

void LevelsPage::moveRows(QList<int> rows, bool up) {
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty() || (up && rows.first() == 0) ||
        (!up && rows.last() == setup_.LevelCount() - 1)) {
        return;
    }
    std::vector<std::int32_t> indices(rows.begin(), rows.end());
    if (up) {
        setup_.MoveLevelsUp(indices);
    } else {
        setup_.MoveLevelsDown(indices);
    }
    rebuildPlayList();
    for (int row : rows) {
        if (QTreeWidgetItem* item = playList_->topLevelItem(up ? row - 1 : row + 1)) {
            item->setSelected(true);
        }
    }
}

void LevelsPage::loadCourse(int index) {
    if (index < 0 || index >= context_.courses.count()) {
        return;
    }
    const CourseLevels found = context_.courses.at(index).resolve(context_.levels);
    setup_.ClearLevels();
    for (const Level& level : found.levels) {
        setup_.AddLevel(level.id());
    }
    // Only a complete course counts for the course's high scores.
    setup_.SetName(found.courseId);
    rebuildPlayList();
    if (!found.complete()) {
        emit warning(tr("Levels are missing for this course: only %1 of its %n level(s) "
                        "could be found. This game will not enter the high scores.",
                        nullptr, found.expected)
                         .arg(found.found));
    }
}

void LevelsPage::drawRandomCourse(int holes) {
    setup_.ClearLevels();
    const int available = context_.levels.count();
    holes = std::min(holes, available);
    std::set<std::string> chosen;
    for (int n = 0; n < holes; ++n) {
        int index = 0;
        do {
            index = context_.random.next() % available;
        } while (chosen.count(context_.levels.at(index).id()) != 0);
        chosen.insert(context_.levels.at(index).id());
        setup_.AddLevel(context_.levels.at(index).id());
    }
    rebuildPlayList();
}

QStringList LevelsPage::shownLevelIds() const {
    QStringList ids;
    for (int i = 0; i < playList_->topLevelItemCount(); ++i) {
        ids << QString::fromStdString(setup_.GetLevelId(i));
    }
    return ids;
}

void LevelsPage::showPreview(int libraryIndex) {
    if (libraryIndex >= 0 && libraryIndex < context_.levels.count()) {
        preview_->setLevel(context_.levels.at(libraryIndex));
    }
}

void LevelsPage::saveCourse() {
    SaveCourseDialog dialog(setup_, context_, this);
    if (dialog.exec() == QDialog::Accepted) {
        setup_.SetName(dialog.savedCourseId());
        fillCourses();
    }
}

}  // namespace trundlex
