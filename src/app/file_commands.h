// The file menu's commands and the save prompt: opening through the dialogs, the file pane,
// drops and the command line; saving over the file or under a new name; going back to the file.
#pragma once

#include "document/image_file_type.h"

#include <QList>
#include <QObject>
#include <QUrl>

namespace tavlo {

class MainWindow;

class FileCommands : public QObject {
    Q_OBJECT
  public:
    explicit FileCommands(MainWindow& window);

    // Loads `path`, with the save prompt first when the picture has unsaved changes. A file that
    // cannot be loaded is reported and changes nothing. False when an error was reported.
    bool load(const QString& path);
    void open(ImageFileType type);
    // 上書き保存 (saveAs false) or 別名保存 of the picture as `type`. True when it was written.
    bool save(ImageFileType type, bool saveAs);
    // 最初に戻る: the file again, or for a pasted picture the undo copy.
    void revert();
    // The first file dropped is loaded, whole path, if its type is ours.
    void drop(const QList<QUrl>& urls);
    // Before quitting: true when the program may end, the changes saved or not wanted.
    bool mayQuit(bool withCancel);

  private:
    // The name a save of `type` proposes: the loaded file itself when it is of that type, its
    // extension as written; else the file's name with the type's extension.
    QString proposedName(ImageFileType type) const;
    bool saveAsForPrompt();

    MainWindow& window_;
};

} // namespace tavlo
