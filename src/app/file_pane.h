// The file browser pane at the left of the main window: the folder tree, the file-type
// selector and the list of the folder's JPEG or BMP files.
#pragma once

#include <QComboBox>
#include <QFileSystemWatcher>
#include <QListWidget>
#include <QSplitter>
#include <QTreeView>
#include <QWidget>

namespace tavlo {

class FolderTreeModel;

class FilePane : public QWidget {
    Q_OBJECT
  public:
    explicit FilePane(QWidget* parent = nullptr);

    // Where the pane opens when the program starts without a file: the user's Pictures folder,
    // else home.
    static QString startFolder();
    // Selects the folder in the tree and brings it into view; the list follows. False when the
    // tree cannot show it.
    bool selectFolder(const QString& folder);
    // Selects the file's folder and marks the file in the list, in view, without choosing it
    // again; the list keeps it marked from then on. False when the tree cannot show the folder.
    bool showFile(const QString& path);
    // Chooses the file `step` rows after the shown one, as Down and Up in the list do.
    void chooseNeighbour(int step);
    // →/←, PageDown/PageUp and Space/Backspace in `view` choose the next and previous file.
    void takeNeighbourKeys(QWidget* view);
    QString currentFolder() const;
    // The full paths the list shows, in its order.
    QStringList listedFiles() const;
    // The selector's width follows the pane's inner width after the splitter moved.
    void followWidth();

    QTreeView* folderTree;
    QComboBox* fileTypeChooser;
    QListWidget* fileList;

  signals:
    // A file was selected in the list, by a click or the arrow keys.
    void fileChosen(const QString& path);

  public slots:
    void onFileTypeChosen();

  private:
    QSize sizeHint() const override; // 150 wide: the width Splitter3 starts the pane with
    void showEvent(QShowEvent* event) override; // a hidden tree cannot scroll to its folder
    bool eventFilter(QObject* watched, QEvent* event) override; // the user takes the tree
    void onFolderChosen();
    void onFileClicked();
    void readFolder();
    void markShownFile();
    void revealFolder();
    void queueReveal();

    QWidget* panel4_; // the tree's panel, whose width the selector follows
    FolderTreeModel* folders_;
    QString folder_;
    QString shownFile_;           // what the list marks, whatever was chosen since
    QFileSystemWatcher* watcher_; // a file saved into the folder is listed at once
    QWidget* neighbourKeysFrom_ = nullptr;
    QStringList listedNames_;    // what fileList shows
    bool revealPending_ = false; // the tree still follows the shown folder
    bool revealQueued_ = false;
};

} // namespace tavlo
