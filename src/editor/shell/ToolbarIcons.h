#pragma once

#include <QIcon>

#include "EditorCommand.h"

namespace trundlex {

// The tool bar picture of a command, 16 x 15 pixels; a null icon for a command without one.
// File and undo commands take the platform's standard pictures, the editor's own commands
// are drawn here.
QIcon editorIcon(EditorCommand command);

}  // namespace trundlex
