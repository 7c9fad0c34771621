#include "LevelsViewerDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "LevelPreview.h"
#include "library/LevelLibrary.h"
#include "play/Match.h"
#include "render/PlatformSupport.h"

namespace trundlex {

LevelsViewerDialog::LevelsViewerDialog(const Match& match, const LevelLibrary& levels,
                                       QWidget* parent)
    : QDialog(parent), match_(match), levels_(levels) {
    setWindowTitle(tr("Levels"));
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({tr("Nr"), tr("Name"), tr("Creator")});
    list_->setColumnWidth(0, 40);
    list_->setColumnWidth(1, 140);
    preview_ = new LevelPreview(this);
    preview_->setMinimumSize(320, 220);
    auto* box = new QGroupBox(tr("Preview"), this);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(preview_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(box, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    for (int i = 0; i < match_.LevelCount(); ++i) {
        const int index = levels_.findById(match_.GetLevelId(i));
        // A hole whose level is gone is listed without a name and has no preview.
        const QString name = index >= 0 ? toDisplayText(levels_.at(index).name()) : QString();
        const QString creator = index >= 0 ? toDisplayText(levels_.at(index).creator()) : QString();
        list_->addTopLevelItem(new QTreeWidgetItem({QString::number(i + 1), name, creator}));
    }
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        selectRow(item != nullptr ? list_->indexOfTopLevelItem(item) : -1);
    });
}

void LevelsViewerDialog::selectRow(int row) {
    Level level;
    if (row >= 0 && match_.LoadLevel(row, levels_, level) == LevelLoadResult::Loaded) {
        preview_->setLevel(level);
    } else {
        preview_->clearLevel();
    }
}

QStringList LevelsViewerDialog::rows() const {
    QStringList texts;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        texts << item->text(0) + QLatin1Char('\t') + item->text(1) + QLatin1Char('\t') +
                     item->text(2);
    }
    return texts;
}

}  // namespace trundlex
