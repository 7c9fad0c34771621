#pragma once

#include <QCoreApplication>

#include "EditorPrompts.h"

class QWidget;

namespace trundlex {

// The editor's questions as modal dialogs over the main window.
class DialogPrompts : public EditorPrompts {
    Q_DECLARE_TR_FUNCTIONS(DialogPrompts)

public:
    // Dialogs are centred on `parent` once it is set; it must outlive this object.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    Answer askToSave(const QString& title) override;
    QString chooseFileToOpen(const QString& folder) override;
    QString chooseFileToSave(const QString& folder, const QString& suggestedName) override;
    bool editProperties(LevelProperties& values) override;
    void showError(const QString& text) override;
    bool saveDespite(const QString& problems) override;
    bool replaceDespite(const QString& fileName, const QString& losses) override;
    bool updateCourses(int count) override;
    bool chooseCourse(const QString& levelName, const QStringList& courseNames,
                      AddToCourseDialog::Choice& choice) override;
    bool chooseMaterials(MaterialReplacement& choice, bool selectionAvailable) override;

private:
    QString fileFilter() const;

    QWidget* parent_ = nullptr;
};

}  // namespace trundlex
