#include "platform/SaveErrorText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cerrno>
#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/PlatformSupport.h"

namespace trundlex {

namespace {

class SaveErrorTexts {
    Q_DECLARE_TR_FUNCTIONS(SaveErrorTexts)

public:
    // The step that failed, with its path put back in.
    static QString step(std::string_view what) {
        static const struct {
            std::string_view prefix;
            const char* text;
        } steps[] = {
            {"cannot create a temporary file next to ", QT_TR_NOOP("cannot create a temporary file next to %1")},
            {"cannot write ", QT_TR_NOOP("cannot write %1")},
            {"cannot flush ", QT_TR_NOOP("cannot write %1 to the disk")},
            {"cannot close ", QT_TR_NOOP("cannot close %1")},
            {"cannot replace ", QT_TR_NOOP("cannot replace %1")},
            {"cannot open ", QT_TR_NOOP("cannot open %1")},
            {"cannot lock ", QT_TR_NOOP("cannot lock %1")},
        };
        for (const auto& s : steps) {
            if (what.starts_with(s.prefix)) {
                return tr(s.text).arg(toDisplayText(what.substr(s.prefix.size())));
            }
        }
        if (what == "the level text cannot be encoded") {
            return tr("the level cannot be written as a level file");
        }
        if (what == "the high scores cannot be encoded") {
            return tr("the high scores cannot be written as a file");
        }
        // Another program (another window of the game, say) kept the file to itself.
        static const QRegularExpression held(
            QStringLiteral("^(.*)\\.lock is held by (process \\S+|another program); "
                           "gave up after (\\d+) ms$"));
        const QRegularExpressionMatch match = held.match(toDisplayText(what));
        if (match.hasMatch()) {
            const int seconds = std::max(1, (match.captured(3).toInt() + 999) / 1000);
            return tr("another program is using %1 and did not let go of it within %n second(s)",
                      nullptr, seconds)
                .arg(match.captured(1));
        }
        return toDisplayText(what);
    }

    // The system's reason, matched against the C library's own wording of the usual errors.
    static QString reason(std::string_view text) {
        static const struct {
            int code;
            const char* text;
        } reasons[] = {
            {EACCES, QT_TR_NOOP("permission denied")},
            {EPERM, QT_TR_NOOP("the operation is not permitted")},
            {ENOENT, QT_TR_NOOP("the folder does not exist")},
            {ENOTDIR, QT_TR_NOOP("a part of the path is not a folder")},
            {EISDIR, QT_TR_NOOP("it is a folder")},
            {ENOSPC, QT_TR_NOOP("the disk is full")},
            {EDQUOT, QT_TR_NOOP("your disk quota is used up")},
            {EROFS, QT_TR_NOOP("the disk is read-only")},
            {EIO, QT_TR_NOOP("the disk could not be read or written")},
            {ENAMETOOLONG, QT_TR_NOOP("the file name is too long")},
        };
        for (const auto& r : reasons) {
            if (text == std::strerror(r.code)) {
                return tr(r.text);
            }
        }
        return toDisplayText(text);
    }
};

}  // namespace

QString saveErrorText(const std::string& error) {
    const std::size_t colon = error.rfind(": ");
    if (colon == std::string::npos) {
        return SaveErrorTexts::step(error);
    }
    return QCoreApplication::translate("SaveErrorTexts", "%1: %2")
        .arg(SaveErrorTexts::step(std::string_view(error).substr(0, colon)),
             SaveErrorTexts::reason(std::string_view(error).substr(colon + 2)));
}

}  // namespace trundlex
