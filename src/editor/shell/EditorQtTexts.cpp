// Texts of Qt's standard buttons, listed here so that the editor's Swedish translation
// carries them: not every system ships Qt's own Swedish catalogue.
#include <QtGlobal>

namespace {

[[maybe_unused]] const char* const kStandardButtons[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),    QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"), QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),   QT_TRANSLATE_NOOP("QPlatformTheme", "Save"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Open"),  QT_TRANSLATE_NOOP("QPlatformTheme", "Help"),
};

// The file dialogs' texts that Qt's Swedish catalogue lacks.
[[maybe_unused]] const char* const kFileDialog[] = {
    QT_TRANSLATE_NOOP("QFileDialog", "Look in:"),
    QT_TRANSLATE_NOOP("QFileSystemModel", "Computer"),
};

}  // namespace
