#include "file_pane.h"

#include "app/folder_tree_model.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tavlo {

namespace {

constexpr int kPaneWidth = 150;
constexpr int kBorderWidth = 2;
constexpr int kTreeHeight = 198;
constexpr int kSplitterWidth = 4;
constexpr int kSelectorPanelHeight = 20;
constexpr int kSelectorWidth = 144;
constexpr int kListItemHeight = 12;

// Rows are 12 pixels high rather than the style's roomier ones, but never lower than the font's
// line: a lower row cuts off the underscores of the file names.
class CompactRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(),
                std::max(kListItemHeight, option.fontMetrics.height())};
    }
};

// A row scrolled off to the left is drawn from the left edge instead, so that the folders above
// a deep one show the start of their names, not fragments.
class FolderNameDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        if (shifted.rect.left() < 0) shifted.rect.setLeft(0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

} // namespace

QString FilePane::startFolder() {
    const QString pictures = FolderTreeModel::picturesFolder();
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

FilePane::FilePane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel1"));

    watcher_ = new QFileSystemWatcher(this);
    folders_ = new FolderTreeModel(FolderTreeModel::userPlaces(), this);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("Splitter2"));
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setChildrenCollapsible(false);

    panel4_ = new QWidget(splitter);
    panel4_->setObjectName(QStringLiteral("Panel4"));
    folderTree = new QTreeView(panel4_);
    folderTree->setObjectName(QStringLiteral("folderTree"));
    folderTree->setModel(folders_);
    folderTree->setItemDelegate(new FolderNameDelegate(folderTree));
    folderTree->setIndentation(19);
    folderTree->setHeaderHidden(true);
    // Deep folders scroll sideways instead of having their names cut short.
    folderTree->header()->setStretchLastSection(false);
    folderTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* treeLayout = new QVBoxLayout(panel4_);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(folderTree);

    auto* lower = new QWidget(splitter);
    auto* panel7 = new QWidget(lower);
    panel7->setObjectName(QStringLiteral("Panel7"));
    panel7->setFixedHeight(kSelectorPanelHeight);
    fileTypeChooser = new QComboBox(panel7);
    fileTypeChooser->setObjectName(QStringLiteral("fileTypeChooser"));
    fileTypeChooser->setGeometry(0, 0, kSelectorWidth, kSelectorPanelHeight);
    fileTypeChooser->addItem(QStringLiteral("JPGファイル(*.jpg)"),
                             QStringLiteral("*.jpg *.jpeg *.jpe"));
    fileTypeChooser->addItem(QStringLiteral("BMPファイル(*.bmp)"), QStringLiteral("*.bmp"));

    fileList = new QListWidget(lower);
    fileList->setObjectName(QStringLiteral("fileList"));
    fileList->setItemDelegate(new CompactRowDelegate(fileList));
    fileList->setUniformItemSizes(true);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(0);
    lowerLayout->addWidget(panel7);
    lowerLayout->addWidget(fileList);

    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kTreeHeight, kTreeHeight});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    layout->addWidget(splitter);

    connect(folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FilePane::onFolderChosen);
    connect(folderTree, &QTreeView::expanded, folders_, &FolderTreeModel::reread);
    folderTree->installEventFilter(this);
    folderTree->viewport()->installEventFilter(this);
    for (QScrollBar* bar : {folderTree->verticalScrollBar(), folderTree->horizontalScrollBar()})
        connect(bar, &QScrollBar::actionTriggered, this, [this] { revealPending_ = false; });
    connect(fileTypeChooser, &QComboBox::currentIndexChanged, this, &FilePane::onFileTypeChosen);
    // A selection, not the current row: focusing the list by the keyboard makes its first row
    // current without selecting it, and that must not load a file.
    connect(fileList, &QListWidget::itemSelectionChanged, this, &FilePane::onFileClicked);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FilePane::readFolder);
}

QSize FilePane::sizeHint() const {
    return {kPaneWidth, QWidget::sizeHint().height()};
}

void FilePane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    queueReveal(); // once the window has laid out the tree
}

bool FilePane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == neighbourKeysFrom_) {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Right:
        case Qt::Key_PageDown:
        case Qt::Key_Space:
            chooseNeighbour(1);
            return true;
        case Qt::Key_Left:
        case Qt::Key_PageUp:
        case Qt::Key_Backspace:
            chooseNeighbour(-1);
            return true;
        default:
            return false;
        }
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        revealPending_ = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FilePane::queueReveal() {
    if (!revealPending_ || revealQueued_) return;
    revealQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        revealQueued_ = false;
        if (revealPending_) revealFolder();
    });
}

bool FilePane::selectFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) return false;
    const QModelIndex index = folders_->indexOf(info.absoluteFilePath());
    if (!index.isValid()) return false;
    // The model fills its folders lazily, so the list is read here rather than waiting for them.
    folder_ = folders_->filePath(index);
    readFolder();
    folderTree->setCurrentIndex(index);
    revealPending_ = true;
    revealFolder();
    return true;
}

bool FilePane::showFile(const QString& path) {
    const QFileInfo file(path);
    if (!selectFolder(file.absolutePath())) return false;
    shownFile_ = file.absoluteFilePath();
    markShownFile();
    return true;
}

void FilePane::markShownFile() {
    const QFileInfo file(shownFile_);
    const QList<QListWidgetItem*> rows =
        file.absolutePath() == folder_ ? fileList->findItems(file.fileName(), Qt::MatchExactly)
                                       : QList<QListWidgetItem*>{};
    const QSignalBlocker quiet(fileList); // marking the shown file must not load it again
    if (rows.isEmpty()) {
        fileList->clearSelection();
        return;
    }
    fileList->setCurrentItem(rows.first());
    fileList->scrollToItem(rows.first());
}

void FilePane::chooseNeighbour(int step) {
    const QList<QListWidgetItem*> selected = fileList->selectedItems();
    const int row =
        selected.isEmpty() ? (step > 0 ? -1 : fileList->count()) : fileList->row(selected.first());
    const int next = row + step;
    if (next >= 0 && next < fileList->count()) fileList->setCurrentRow(next);
}

void FilePane::takeNeighbourKeys(QWidget* view) {
    neighbourKeysFrom_ = view;
    view->installEventFilter(this);
}

// The tree scrolls sideways only to the start of its one wide column, so a deep folder is
// brought in from the left by hand: its branch mark at the pane's left edge.
void FilePane::revealFolder() {
    const QModelIndex index = folderTree->currentIndex();
    if (!index.isValid()) return;
    folderTree->scrollTo(index, QAbstractItemView::PositionAtCenter); // with the folders above
    const int left = folderTree->visualRect(index).left() - folderTree->indentation();
    QScrollBar* sideways = folderTree->horizontalScrollBar();
    sideways->setValue(sideways->value() + left);
}

QString FilePane::currentFolder() const {
    return folder_;
}

QStringList FilePane::listedFiles() const {
    const QDir dir(folder_);
    QStringList paths;
    for (int row = 0; row < fileList->count(); ++row)
        paths << dir.filePath(fileList->item(row)->text());
    return paths;
}

void FilePane::followWidth() {
    fileTypeChooser->setFixedWidth(panel4_->width());
}

void FilePane::onFileTypeChosen() {
    readFolder();
}

void FilePane::onFolderChosen() {
    const QString path = folders_->filePath(folderTree->currentIndex());
    if (path.isEmpty() || path == folder_) return;
    folder_ = path;
    readFolder();
}

void FilePane::onFileClicked() {
    const QList<QListWidgetItem*> selected = fileList->selectedItems();
    if (selected.isEmpty()) return;
    emit fileChosen(QDir(folder_).filePath(selected.first()->text()));
    // A load that was cancelled or failed leaves the shown file marked, not the chosen one.
    markShownFile();
}

// A list that still shows the folder's files is left alone, with its selection and scroll
// position, so that moving through it with the arrow keys goes on from the file just loaded.
void FilePane::readFolder() {
    const QStringList watched = folder_.isEmpty() ? QStringList{} : QStringList{folder_};
    if (watcher_->directories() != watched) {
        if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
        if (!watched.isEmpty()) watcher_->addPaths(watched);
    }
    QStringList names;
    // QDir matches name filters without regard to case, so "*.jpg" also finds "A.JPG".
    if (!folder_.isEmpty())
        names = QDir(folder_).entryList(
            fileTypeChooser->currentData().toString().split(QLatin1Char(' ')), QDir::Files,
            QDir::Name | QDir::IgnoreCase);
    if (names == listedNames_) return;
    listedNames_ = names;
    const QSignalBlocker quiet(fileList);
    fileList->clear();
    fileList->addItems(names);
    markShownFile();
}

} // namespace tavlo
