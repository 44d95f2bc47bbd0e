// The file menu's commands and the save prompt: opening through the dialogs, the file pane,
// drops and the command line; saving over the file or under a new name; going back to the file.
#pragma once

#include "document/decode_ahead.h"
#include "document/image_file_type.h"

#include <QList>
#include <QObject>
#include <QUrl>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavlo {

class MainWindow;

class FileCommands : public QObject {
    Q_OBJECT
  public:
    explicit FileCommands(MainWindow& window);

    // Loads `path`, with the save prompt first when the picture has unsaved changes. A file that
    // cannot be loaded is reported and changes nothing. False when an error was reported.
    // A file decoded ahead is taken as it is. A JPEG shown reduced is first drawn from a decode
    // reduced in the DCT, and one far taller than the view at 1/1 from its top rows, while the
    // whole file decodes in the background: the load is then pending, the document still the
    // one before, until completePendingLoad.
    bool load(const QString& path);
    // Ends a pending load: waits for its decode, then the document takes the file, or the
    // picture before it comes back and the failure is reported. The runner calls it before any
    // work, and so does every menu item. False when a pending load failed, or when work under
    // way holds it.
    bool completePendingLoad();
    bool loadPending() const { return pending_.has_value(); }
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
    struct PendingLoad {
        QString path;
        std::string absolutePath;
    };

    // A newer load replaces a pending one; true when there was one.
    bool abandonPendingLoad();
    // In the runner: draws a reduced decode of `path` when the view shows it reduced, or at 1/1
    // the top rows of a picture far taller than the view, and makes the load pending. False,
    // with nothing drawn, when the file does not allow it.
    bool drawFirstLook(const QString& path, const std::string& absolutePath, bool browsingFast);
    // The document takes the decode of `path`, or a decode made now.
    LoadOutcome takeIntoDocument(const QString& path, const std::string& absolutePath,
                                 std::optional<DecodedFile> decoded);
    // After a load: the failure reported, or the windows told and the neighbours decoded ahead.
    bool finishLoad(LoadOutcome outcome, const QString& fileName, const std::string& absolutePath);
    // The next and previous files of the list, the one in the direction of travel first.
    std::vector<std::string> neighboursOf(const std::string& absolutePath);
    // The name a save of `type` proposes: the loaded file itself when it is of that type, its
    // extension as written; else the file's name with the type's extension.
    QString proposedName(ImageFileType type) const;
    bool saveAsForPrompt();

    MainWindow& window_;
    std::optional<PendingLoad> pending_;
    int shownRow_ = -1;
    std::unique_ptr<DecodeAhead> ahead_;
};

} // namespace tavlo
