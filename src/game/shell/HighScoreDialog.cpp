#include "HighScoreDialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "library/CourseLibrary.h"
#include "library/HighScoreStore.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

HighScoreDialog::HighScoreDialog(HighScoreStore& store, const CourseLibrary& courses,
                                 std::string preselectedCourseId, QWidget* parent)
    : QDialog(parent), store_(store), courses_(courses), preselected_(std::move(preselectedCourseId)) {
    setWindowTitle(tr("High scores"));
    courseBox_ = new QComboBox(this);
    auto* courseLabel = new QLabel(tr("C&ourse:"), this);
    courseLabel->setBuddy(courseBox_);
    clearButton_ = new QPushButton(tr("&Clear..."), this);
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels({tr("Name"), tr("Score"), tr("Date")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumSize(360, 260);
    empty_ = new QLabel(tr("No high scores yet."), this);
    empty_->setAlignment(Qt::AlignCenter);
    empty_->setMinimumSize(360, 120);
    QFont big = empty_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    empty_->setFont(big);
    // The rule the game keeps when a match ends: only a course's own levels, all of them
    // played, and only where the match keeps the course's name (a network client plays the
    // server's levels without it).
    rule_ = new QLabel(tr("A game enters this list when it plays a whole course to its last "
                          "hole: each player's total strokes are kept when they are among the "
                          "course's ten best. Games of single levels or of a course whose "
                          "levels were changed, and games that ended early, do not enter it. "
                          "Of a network game, only the computer that is the game's server keeps "
                          "the results; games in online rooms do not enter it."),
                       this);
    rule_->setWordWrap(true);
    rule_->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);

    auto* top = new QHBoxLayout;
    top->addWidget(courseLabel);
    top->addWidget(courseBox_, 1);
    top->addWidget(clearButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_);
    layout->addWidget(empty_);
    layout->addWidget(rule_);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(courseBox_, &QComboBox::currentIndexChanged, this, &HighScoreDialog::showCourse);
    connect(clearButton_, &QPushButton::clicked, this, &HighScoreDialog::askAndClear);
    fillCourses();
}

void HighScoreDialog::fillCourses() {
    const QSignalBlocker blocker(courseBox_);
    courseBox_->clear();
    table_->setRowCount(0);
    int selected = 0;
    for (int i = 0; i < store_.courseCount(); ++i) {
        const std::string& id = store_.courseIdAt(i);
        const int found = courses_.findById(id);
        courseBox_->addItem(found >= 0 ? toDisplayText(courses_.at(found).name())
                                       : tr("Unknown course"));
        if (!preselected_.empty() && id == preselected_) {
            selected = i;
        }
    }
    const bool any = store_.courseCount() > 0;
    clearButton_->setEnabled(any);
    courseBox_->setEnabled(any);
    table_->setVisible(any);
    empty_->setVisible(!any);
    if (store_.courseCount() > 0) {
        courseBox_->setCurrentIndex(selected);
        showCourse(selected);
    }
}

void HighScoreDialog::showCourse(int index) {
    table_->setRowCount(0);
    if (index < 0 || index >= store_.courseCount()) {
        return;
    }
    const std::string id = store_.courseIdAt(index);
    const int count = store_.entryCount(id);
    table_->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const HighScoreEntry entry = store_.entryAt(id, row);
        const QDateTime when = QDateTime::fromSecsSinceEpoch(entry.time).toLocalTime();
        table_->setItem(row, 0, new QTableWidgetItem(toDisplayText(entry.name)));
        table_->setItem(row, 1, new QTableWidgetItem(QString::number(entry.score)));
        table_->setItem(row, 2,
                        new QTableWidgetItem(QLocale().toString(when, QLocale::ShortFormat)));
    }
    table_->resizeColumnsToContents();
}

void HighScoreDialog::askAndClear() {
    const auto answer = QMessageBox::question(
        this, windowTitle(), tr("Do you really want to clear the list for this course?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        clearSelectedCourse();
    }
}

void HighScoreDialog::clearSelectedCourse() {
    store_.removeCourseAt(courseBox_->currentIndex());
    fillCourses();
}

QStringList HighScoreDialog::courseNames() const {
    QStringList names;
    for (int i = 0; i < courseBox_->count(); ++i) {
        names << courseBox_->itemText(i);
    }
    return names;
}

QString HighScoreDialog::emptyNote() const {
    return empty_->isVisibleTo(this) ? empty_->text() : QString();
}

QString HighScoreDialog::rule() const { return rule_->text(); }

QStringList HighScoreDialog::shownRows() const {
    QStringList rows;
    for (int r = 0; r < table_->rowCount(); ++r) {
        rows << table_->item(r, 0)->text() + QLatin1Char('\t') + table_->item(r, 1)->text();
    }
    return rows;
}

}  // namespace trundlex
