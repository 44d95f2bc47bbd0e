// The main window: menus, status bar, file pane, the scaled view, and the command
// handlers that run the document's operations.
#pragma once

#include "widgets/dialog_service.h"
#include "document/command_channel.h"
#include "document/document.h"
#include "document/operation_status.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>

#include <array>
#include <functional>

class FilePane;
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
    tavlo::CommandChannel& channel() { return channel_; }
    tavlo::CommandCounters& counters() { return counters_; }
    FilePane* filePane() const { return Panel1; }
    QString panelText(int panel) const { return panels_[panel]->text(); }
    const QPixmap& viewPixmap() const { return viewPixmap_; }
    QLabel* viewLabel() const { return Image1; }

    // Loads SourcePath with the save prompt first when the image has unsaved changes. False when
    // an error was reported (a file or folder that cannot be read).
    bool LoadImageFile();
    void SetDisplayScale(int scale);
    // Files dropped from the file manager: the first one is loaded, whole path, if its type is ours.
    void filesDropped(const QList<QUrl>& urls);

    // What every operation handler shares: the busy cursor, the document steps, the
    // unsupported-format message when they refused the image, and the refresh (also after a
    // refusal, so the busy cursor always ends). An image without width or height is reported as
    // the error box would ("Invalid Bitmap Size") and skips the refresh.
    tavlo::OperationStatus runOperation(
        const std::function<tavlo::OperationStatus(tavlo::Document&)>& steps);
    // The redraw every operation ends with: SetDisplayScale(DisplayScale).
    void refresh() { SetDisplayScale(document_.displayScale); }
    void showUnsupportedFormat();
    DialogService& dialogs() { return dialogs_; }

  signals:
    // Emitted at the end of every view refresh (the histogram follows it).
    void viewRefreshed();
    // Emitted after an image file has been loaded (the cut-out dialogs hide on it).
    void imageLoaded();

  public:

    // Menu items, by their names.
    QMenu *File1, *Show1, *B3, *D1, *S2, *T3, *R1, *H2, *C2, *Help1;
    QMenu *BMPB1, *F3;
    QAction *Open1, *BMPP1, *S1, *BMPT1, *JPEGU1, *BMPV1, *P1, *X1;
    QAction *F1, *H4, *L2, *JPGJ1, *A2, *N24C1, *N32D1, *C1, *P2;
    QAction *O1, *T2;
    QAction *FULLF1, *N12H1, *N13T1, *N14Q1, *N18E1;
    QAction *N11B1, *N12H2, *N14Q2, *N18E2, *A1;
    QAction *W1, *A5;
    QAction *R2, *L1, *H1, *A3, *B2, *D3;
    QAction *D2, *E1, *F2, *G1;
    QAction *N1C1, *L3, *D4, *N1A1, *N2B1, *I1, *N13, *E4, *F4, *H5;
    QAction *K1, *T1, *M1, *A4, *G3, *C3, *B1;
    QAction *Help2, *About1;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void buildMenus();
    void buildStatusBar();
    void connectHandlers();

    void Open1Click();
    void BMPP1Click();
    void openThroughDialog(const QString& title, const QString& filter);
    bool S1Click();
    bool BMPT1Click();
    bool JPEGU1Click();
    bool BMPV1Click();
    bool saveThroughDialog(bool jpeg, bool saveAs);
    bool saveAsForPrompt();
    void X1Click();
    void F1Click();
    void L2Click();
    void ShowBrowserPane(bool visible);
    void chooseBmpFormat(QAction* item, tavlo::PixelFormat format);
    void O1Click();
    void T2Click();
    void Show1Click();
    void C1Click();
    void P2Click();
    void Timer1TimeUP();
    void Edit1Change(std::int64_t value);

    // The menus of the image-from-a-file state.
    void enableImageMenus();
    void refreshPasteItem();
    // Copies the document's texts and view to the window.
    void showDocument();
    void showView();
    void checkScaleItem();

    DialogService& dialogs_;
    tavlo::Document document_;
    tavlo::CommandChannel channel_;
    tavlo::CommandCounters counters_;

    QSplitter* Splitter3;
    FilePane* Panel1;
    QScrollArea* viewArea_;
    QLabel* Image1;
    QPixmap viewPixmap_;
    std::array<QLabel*, tavlo::kStatusPanelCount> panels_{};
    QTimer* Timer1;

    FileInfoWindow* fileInfoWindow = nullptr;
    JpegQualityDialog* jpegQualityDialog = nullptr;
};
