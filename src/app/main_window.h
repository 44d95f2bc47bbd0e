// The main window: menus, status bar, file pane, the scaled view, and the command
// handlers that run the document's operations.
#pragma once

#include "document/document.h"
#include "document/operation_entry.h"
#include "document/operation_status.h"
#include "widgets/dialog_service.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace tavlo {

class FileCommands;
class FilePane;
class ImageView;
class StatusPanels;
class FileInfoWindow;
class JpegQualityDialog;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Runs the creation steps; `startupFile` (empty for none) is loaded at once, before the other
    // windows exist, and again 100 ms later.
    MainWindow(DialogService& dialogs, const QString& startupFile, QWidget* parent = nullptr);

    // The secondary windows, created after the main window in their fixed order.
    void attachWindows(FileInfoWindow* fileInfo, JpegQualityDialog* jpegQuality);

    tavlo::Document& document() { return document_; }
    FilePane* filePane() const { return filePane_; }
    FileCommands& files() { return *files_; }
    QString panelText(int panel) const;
    ImageView* view() const { return view_; }

    void setDisplayScale(int scale);
    // The window's state after the document loaded a file: the scale item, menus and texts.
    void showLoadedDocument();
    // A picture drawn before the document has it: the view shows `picture` stretched to
    // viewSize, through `profile`, until the next refresh.
    void showFirstDraw(const tavlo::Bitmap& picture, QSize viewSize,
                       const std::vector<std::uint8_t>& profile);
    // A short report over the status panels.
    void showStatusReport(const QString& text, int milliseconds);
    void undo();
    // Sets every menu item's enabled state from the document: a picture shown, a file behind
    // it, a file loaded at some time, something on the clipboard.
    void updateMenus();

    // Everything the window starts runs through here: the busy cursor from the start, a chosen
    // menu off the screen before the work, and after any exception a message box and the
    // document, status texts and view exactly as they were. A pending load ends first, so the
    // work sees the whole picture. False when the work failed, or when it was refused because
    // other work is still running.
    bool runAction(const std::function<void()>& work);
    // Work is under way; the events it lets through must not start more.
    bool runningAction() const { return running_; }
    // A document operation through runAction: the unsupported-format message when the kernel
    // refused the image, the modified flag when it changed it, and the refresh either way.
    enum class RunOutcome { Changed, Refused, Failed };
    RunOutcome runOperation(const std::function<tavlo::OperationStatus(tavlo::Document&)>& steps);
    template <class Parameters>
    RunOutcome runEntry(const OperationEntry<Parameters>& entry, const Parameters& parameters) {
        return runOperation(
            [&](tavlo::Document& document) { return entry.steps(document, parameters); });
    }
    // The menu item, or the menu, built for `item` (menu_items.h, an entry's menu items).
    QAction* menuAction(const MenuItemText& item) const;
    QMenu* menu(const MenuItemText& item) const;
    // The redraw every operation ends with: setDisplayScale at the scale in force.
    void refresh() { setDisplayScale(document_.displayScale); }
    void showUnsupportedFormat();
    // The window the user started the running action from, which owns its messages.
    QWidget* actionWindow();
    DialogService& dialogs() { return dialogs_; }

  signals:
    // Emitted at the end of every view refresh (the histogram follows it).
    void viewRefreshed();
    // Emitted after an image file has been loaded (the cut-out dialogs hide on it).
    void imageLoaded();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void buildMenus();
    void connectHandlers();

    void onQuit();
    void onFileInfo();
    void onFileList();
    void showFilePane(bool visible);
    void chooseBmpFormat(QAction* item, tavlo::PixelFormat format);
    void onCopy();
    void onPaste();
    void showQualityPanel();

    // Copies the document's texts and view to the window.
    void showDocument();
    void showView();
    void useColourProfile(const std::vector<std::uint8_t>& profile);
    void checkScaleItem();
    std::array<std::pair<QAction*, int>, 6> scaleItems() const;
    // Gives the document the room the view has for a fitted picture, in physical pixels with no
    // scroll bar; true when that changed the view size.
    bool takeFitBox();

    // The menus and their items; others find them by item (menuAction, menu).
    QMenu *fileMenu, *settingsMenu, *undoMenu, *scaleMenu, *sizeMenu, *trimMenu, *rotateMenu,
        *deformMenu, *colourMenu, *helpMenu;
    QMenu *bmpFormatMenu, *filterMenu;
    QAction *openJpegAction, *openBmpAction, *saveJpegAction, *saveBmpAction, *saveJpegAsAction,
        *saveBmpAsAction, *printAction, *quitAction;
    QAction *fileInfoAction, *histogramAction, *fileListAction, *jpegQualityAction,
        *saveMetadataAction, *bmp8BitAction, *bmp24BitAction, *bmp32BitAction, *copyAction,
        *pasteAction;
    QAction *undoAction, *revertAction;
    QAction *scaleFullAction, *scaleHalfAction, *scaleThirdAction, *scaleQuarterAction,
        *scaleEighthAction, *scaleFitAction;
    QAction *sizeOriginalAction, *sizeHalfAction, *sizeQuarterAction, *sizeEighthAction,
        *sizeCustomAction;
    QAction *wallpaperAction, *trimAction;
    QAction *rotateRightAction, *rotateLeftAction, *rotateHalfAction, *mirrorAction, *flipAction,
        *rotateAngleAction;
    QAction *keystoneBothAction, *keystoneRightAction, *keystoneLeftAction, *shearAction;
    QAction *sharpenWeakAction, *sharpenMediumAction, *sharpenStrongAction, *smoothWeakAction,
        *smoothMediumAction, *smoothStrongAction, *medianAction, *emboss1Action, *emboss2Action,
        *customFilterAction;
    QAction *toneCurveAction, *colourToneAction, *contrastAction, *vividnessAction, *gammaAction,
        *equaliseAction, *monochromeAction;
    QAction *helpAction, *aboutAction;

    DialogService& dialogs_;
    tavlo::Document document_;

    QSplitter* splitter_;
    FilePane* filePane_;
    QScrollArea* viewArea_;
    ImageView* view_;
    StatusPanels* panels_;
    FileCommands* files_;
    QTimer* startupTimer_;
    bool running_ = false; // runAction is under way
    // The screen's colour profile, and the picture profile the view's conversion was made for.
    std::vector<std::uint8_t> screenProfile_;
    std::optional<std::vector<std::uint8_t>> viewProfile_;

    FileInfoWindow* fileInfoWindow = nullptr;
    JpegQualityDialog* jpegQualityDialog = nullptr;
};

} // namespace tavlo
