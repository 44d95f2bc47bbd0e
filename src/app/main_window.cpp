#include "app/main_window.h"

#include "app/failure_text.h"
#include "app/file_commands.h"
#include "app/file_info_window.h"
#include "app/file_pane.h"
#include "app/jpeg_quality_dialog.h"
#include "app/status_panels.h"
#include "widgets/busy_cursor.h"
#include "widgets/clipboard.h"
#include "widgets/image_view.h"
#include "widgets/screen_profile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>

#include <cmath>
#include <new>
#include <optional>

namespace tavlo {

namespace {

// The view sits 2 pixels from the top and from the pane.
constexpr int kViewMargin = 2;

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}
std::string toStd(const QString& text) {
    return text.toStdString();
}

} // namespace

MainWindow::MainWindow(DialogService& dialogs, const QString& startupFile, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tavlo　Ver 1.3 2005/3"));
    setAcceptDrops(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(silver);

    buildMenus();
    // Whatever a menu item does, it does to the whole picture: a load still decoding ends first.
    for (QAction* action : menuBar()->findChildren<QAction*>())
        connect(action, &QAction::triggered, this, [this] { files_->completePendingLoad(); });
    screenProfile_ = screenIccProfile();
    panels_ = new StatusPanels(this);
    setStatusBar(panels_);
    files_ = new FileCommands(*this);

    filePane_ = new FilePane;
    view_ = new ImageView;
    view_->setObjectName(QStringLiteral("Image1"));
    view_->setContentsMargins(kViewMargin, kViewMargin, 0, 0);
    viewArea_ = new QScrollArea;
    viewArea_->setWidget(view_);
    viewArea_->setWidgetResizable(false);
    viewArea_->setBackgroundRole(QPalette::Window);
    viewArea_->setFrameShape(QFrame::NoFrame);
    viewArea_->installEventFilter(this);
    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setObjectName(QStringLiteral("Splitter3"));
    splitter_->setHandleWidth(4);
    splitter_->addWidget(filePane_);
    splitter_->addWidget(viewArea_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({150, 1000});
    setCentralWidget(splitter_);

    startupTimer_ = new QTimer(this);
    startupTimer_->setSingleShot(true);
    connectHandlers();

    // The creation steps, in their order.
    document_.displayScale = 1;
    showFilePane(true);
    fileListAction->setChecked(true);
    fileInfoAction->setChecked(false);
    filePane_->onFileTypeChosen();
    document_.jpegQuality = tavlo::kJpegQuality.defaultValue;
    chooseBmpFormat(bmp24BitAction, tavlo::PixelFormat::Bit24);
    const QSize screen = QApplication::primaryScreen()->size();
    resize(screen.width() * 9 / 10, screen.height() * 9 / 10);
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
    document_.noSourceFile = true;
    document_.modified = false;
    panels_->show(document_.panels);
    updateMenus();
    document_.programFolder = toStd(QApplication::applicationDirPath() + QLatin1Char('/'));
    document_.startupLoad = startupFile.isEmpty() ? 0 : 1;
    if (!startupFile.isEmpty()) {
        // A file that cannot be read is reported once; the second load would only repeat it.
        if (files_->load(startupFile)) startupTimer_->start(100);
    } else {
        // Where photos are kept, not the folder a launcher or a shell happened to start in.
        filePane_->selectFolder(FilePane::startFolder());
    }
    document_.startupLoad = 0;
}

void MainWindow::attachWindows(FileInfoWindow* fileInfo, JpegQualityDialog* jpegQuality) {
    fileInfoWindow = fileInfo;
    jpegQualityDialog = jpegQuality;
    connect(fileInfoWindow, &FileInfoWindow::closedByUser, this,
            [this] { fileInfoAction->setChecked(false); });
    connect(jpegQualityDialog, &JpegQualityDialog::qualityChosen, this, [this](int quality) {
        document_.jpegQuality = quality;
        showQualityPanel();
    });
    connect(jpegQualityDialog, &JpegQualityDialog::cancelled, this, &MainWindow::showQualityPanel);
}

QString MainWindow::panelText(int panel) const {
    return panels_->text(panel);
}

void MainWindow::showStatusReport(const QString& text, int milliseconds) {
    panels_->showMessage(text, milliseconds);
}

void MainWindow::connectHandlers() {
    using Type = ImageFileType;
    connect(openJpegAction, &QAction::triggered, this, [this] { files_->open(Type::Jpeg); });
    connect(openBmpAction, &QAction::triggered, this, [this] { files_->open(Type::Bmp); });
    connect(saveJpegAction, &QAction::triggered, this, [this] { files_->save(Type::Jpeg, false); });
    connect(saveBmpAction, &QAction::triggered, this, [this] { files_->save(Type::Bmp, false); });
    connect(saveJpegAsAction, &QAction::triggered, this,
            [this] { files_->save(Type::Jpeg, true); });
    connect(saveBmpAsAction, &QAction::triggered, this, [this] { files_->save(Type::Bmp, true); });
    connect(quitAction, &QAction::triggered, this, &MainWindow::onQuit);
    connect(fileInfoAction, &QAction::triggered, this, &MainWindow::onFileInfo);
    connect(fileListAction, &QAction::triggered, this, &MainWindow::onFileList);
    connect(jpegQualityAction, &QAction::triggered, this, [this] {
        if (jpegQualityDialog) jpegQualityDialog->open(document_.jpegQuality);
    });
    connect(saveMetadataAction, &QAction::toggled, this,
            [this](bool on) { document_.keepMetadata = on; });
    connect(bmp8BitAction, &QAction::triggered, this,
            [this] { chooseBmpFormat(bmp8BitAction, tavlo::PixelFormat::Bit8); });
    connect(bmp24BitAction, &QAction::triggered, this,
            [this] { chooseBmpFormat(bmp24BitAction, tavlo::PixelFormat::Bit24); });
    connect(bmp32BitAction, &QAction::triggered, this,
            [this] { chooseBmpFormat(bmp32BitAction, tavlo::PixelFormat::Bit32); });
    connect(undoAction, &QAction::triggered, this, &MainWindow::undo);
    connect(copyAction, &QAction::triggered, this, &MainWindow::onCopy);
    connect(pasteAction, &QAction::triggered, this, &MainWindow::onPaste);
    connect(revertAction, &QAction::triggered, this, [this] { files_->revert(); });
    for (const auto& [action, scale] : scaleItems())
        connect(action, &QAction::triggered, this,
                [this, scale = scale] { runAction([&] { setDisplayScale(scale); }); });
    connect(settingsMenu, &QMenu::aboutToShow, this, &MainWindow::updateMenus);
    // The second load reads the file the first one loaded, so that one ends first; fired among
    // the events that work under way lets through, it waits for that work.
    connect(startupTimer_, &QTimer::timeout, this, [this] {
        if (running_) {
            startupTimer_->start(10);
            return;
        }
        if (files_->completePendingLoad()) files_->load(fromStd(document_.sourcePath));
    });
    // Reported after the paint that ran short, not from inside it.
    connect(
        view_, &ImageView::outOfMemory, this,
        [this] {
            dialogs_.reportError(this,
                                 QStringLiteral("メモリが足りないため、画像を表示できません。"));
        },
        Qt::QueuedConnection);
    connect(filePane_, &FilePane::fileChosen, this,
            [this](const QString& path) { files_->load(path); });
    filePane_->takeNeighbourKeys(viewArea_);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        filePane_->followWidth();
        showFilePane(true);
    });
}

void MainWindow::showLoadedDocument() {
    checkScaleItem();
    updateMenus();
    showDocument();
}

void MainWindow::setDisplayScale(int scale) {
    takeFitBox();
    document_.setDisplayScale(scale);
    checkScaleItem();
    showDocument();
}

bool MainWindow::runAction(const std::function<void()>& work) {
    // The events let through below may include a timer or a queued call that starts work.
    if (running_) return false;
    files_->completePendingLoad();
    const QScopedValueRollback running(running_, true);
    std::optional<BusyCursor> busy(std::in_place);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Pixels are shared until written, so these copies cost little.
    tavlo::Document before = document_;
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        document_ = std::move(before);
        // The view only borrows the working image, so showing the restored one allocates nothing.
        showView();
        panels_->show(document_.panels);
        checkScaleItem();
        updateMenus();
        busy.reset();
        dialogs_.reportError(actionWindow(), failureText(error));
        return false;
    }
}

MainWindow::RunOutcome
MainWindow::runOperation(const std::function<tavlo::OperationStatus(tavlo::Document&)>& steps) {
    RunOutcome outcome = RunOutcome::Failed;
    runAction([&] {
        if (steps(document_) == tavlo::OperationStatus::Done) {
            document_.modified = true;
            outcome = RunOutcome::Changed;
        } else {
            showUnsupportedFormat();
            outcome = RunOutcome::Refused;
        }
        refresh();
    });
    return outcome;
}

void MainWindow::showUnsupportedFormat() {
    dialogs_.message(actionWindow(), fromStd(std::string(tavlo::kUnsupportedFormatMessage)));
}

// A dialog's "実行" is answered over that dialog: one that stays on top would hide a box owned by
// the main window.
QWidget* MainWindow::actionWindow() {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : this;
}

std::array<std::pair<QAction*, int>, 6> MainWindow::scaleItems() const {
    return {{{scaleFullAction, 1},
             {scaleHalfAction, 2},
             {scaleThirdAction, 3},
             {scaleQuarterAction, 4},
             {scaleEighthAction, 8},
             {scaleFitAction, tavlo::kFitDisplayScale}}};
}

void MainWindow::checkScaleItem() {
    for (const auto& [action, scale] : scaleItems())
        action->setChecked(scale == document_.displayScale);
}

bool MainWindow::takeFitBox() {
    // The view's widget is its picture plus the margins, so the picture fits without a scroll bar
    // when its size in the desktop's units (rounded up) fits the rest of the viewport.
    const QSize room = viewArea_->maximumViewportSize().shrunkBy(view_->contentsMargins());
    const qreal ratio = view_->devicePixelRatioF();
    return document_.setFitBox(static_cast<int>(std::floor(std::max(0, room.width()) * ratio)),
                               static_cast<int>(std::floor(std::max(0, room.height()) * ratio)));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A fitted picture follows the window and the splitter; the working image is unchanged, so
    // the windows that follow it are left alone.
    // A picture drawn before its load ended keeps its size until the load ends.
    if (watched == viewArea_ && event->type() == QEvent::Resize && takeFitBox() &&
        !files_->loadPending()) {
        panels_->show(document_.panels);
        showView();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showDocument() {
    panels_->show(document_.panels);
    showView();
    if (fileInfoWindow && document_.startupLoad <= 0)
        fileInfoWindow->showTexts(document_.information);
    emit viewRefreshed();
}

void MainWindow::showView() {
    useColourProfile(document_.iccProfile);
    view_->showImage(document_.workImage, QSize(document_.viewWidth, document_.viewHeight));
}

void MainWindow::showFirstDraw(const tavlo::Bitmap& picture, QSize viewSize,
                               const std::vector<std::uint8_t>& profile) {
    useColourProfile(profile);
    view_->showImage(picture, viewSize);
}

void MainWindow::useColourProfile(const std::vector<std::uint8_t>& profile) {
    // Made again only when another profile comes in: a photo's is some kilobytes to compare.
    if (!viewProfile_ || *viewProfile_ != profile) {
        viewProfile_ = profile;
        view_->setColourTransform(tavlo::DisplayTransform::from(*viewProfile_, screenProfile_));
    }
}

void MainWindow::updateMenus() {
    const bool picture = !document_.workImage.empty();
    const bool fromFile = !document_.noSourceFile;
    // A pasted picture keeps what a file loaded before it enabled.
    const bool fileEverLoaded = !document_.loadedPath.empty();
    for (QMenu* menu : {undoMenu, scaleMenu, sizeMenu, rotateMenu, deformMenu})
        menu->setEnabled(picture);
    for (QMenu* menu : {colourMenu, trimMenu})
        menu->setEnabled(picture && fileEverLoaded);
    for (QAction* action : {histogramAction, saveJpegAction, saveBmpAction, saveJpegAsAction,
                            saveBmpAsAction, printAction, copyAction})
        action->setEnabled(picture);
    fileInfoAction->setEnabled(picture && fromFile);
    if (!fileInfoAction->isEnabled()) fileInfoAction->setChecked(false);
    pasteAction->setEnabled(clipboardHasBitmap());
}

void MainWindow::onCopy() {
    runAction([this] { copyToClipboard(document_.workImage); });
    updateMenus();
}

void MainWindow::onPaste() {
    bool empty = false;
    if (!runAction([&] {
            std::optional<tavlo::Bitmap> pasted = bitmapFromClipboard();
            if (!pasted) {
                empty = true;
                return;
            }
            document_.paste(std::move(*pasted));
            checkScaleItem();
            updateMenus();
            showDocument();
        }))
        return;
    if (empty) {
        dialogs_.message(this, QStringLiteral("クリップボードは空っぽです。"));
        return;
    }
    if (fileInfoWindow) fileInfoWindow->hide();
}

void MainWindow::onQuit() {
    if (!files_->mayQuit(false)) return;
    document_.modified = false;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (files_->mayQuit(true))
        event->accept();
    else
        event->ignore();
}

void MainWindow::onFileInfo() {
    if (!fileInfoWindow) return;
    if (!fileInfoAction->isChecked() || document_.noSourceFile)
        fileInfoWindow->hide();
    else
        fileInfoWindow->show();
}

void MainWindow::onFileList() {
    showFilePane(fileListAction->isChecked());
}

// The splitter keeps the view beside the pane, or at the left edge while the pane is hidden.
void MainWindow::showFilePane(bool visible) {
    filePane_->setVisible(visible);
}

void MainWindow::chooseBmpFormat(QAction* item, tavlo::PixelFormat format) {
    document_.setBmpSaveFormat(format);
    for (QAction* action : {bmp8BitAction, bmp24BitAction, bmp32BitAction})
        action->setChecked(action == item);
    panels_->showPanel(tavlo::QualityPanel, document_.panels[tavlo::QualityPanel]);
}

void MainWindow::undo() {
    runAction([this] {
        document_.undo();
        refresh();
    });
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    updateMenus();
    QMainWindow::mousePressEvent(event);
}

void MainWindow::showQualityPanel() {
    document_.refreshQualityPanel();
    panels_->showPanel(tavlo::QualityPanel, document_.panels[tavlo::QualityPanel]);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    files_->drop(event->mimeData()->urls());
}

} // namespace tavlo
