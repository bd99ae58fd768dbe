#include "ui/prompts/file_chooser.h"

#include <QDir>
#include <QFileInfo>

#include "ui/common/local_text.h"

namespace zurcfg {

std::optional<Message> MissingFolderMessage(const std::string& path) {
    const QFileInfo file(FromLocal8Bit(path));
    if (file.dir().exists()) {
        return std::nullopt;
    }
    return Message{"Folder " + ToLocal8Bit(file.path()) +
                       " does not exist.\nChoose a file in an existing folder.",
                   "Warning", Buttons::Ok, Icon::Exclamation};
}

}  // namespace zurcfg
