#include "file_pane.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
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

} // namespace

FilePane::FilePane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel1"));

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setOption(QFileSystemModel::DontWatchForChanges);
    folders_->setRootPath(QDir::rootPath());

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("Splitter2"));
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setChildrenCollapsible(false);

    panel4_ = new QWidget(splitter);
    panel4_->setObjectName(QStringLiteral("Panel4"));
    ShellTreeView1 = new QTreeView(panel4_);
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    ShellTreeView1->setModel(folders_);
    // The root's folders are the top level; the root itself is no node.
    ShellTreeView1->setRootIndex(folders_->index(QDir::rootPath()));
    ShellTreeView1->setIndentation(19);
    ShellTreeView1->setHeaderHidden(true);
    // Deep folders scroll sideways instead of having their names cut short.
    ShellTreeView1->header()->setStretchLastSection(false);
    ShellTreeView1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (int column = 1; column < folders_->columnCount(); ++column)
        ShellTreeView1->hideColumn(column);
    auto* treeLayout = new QVBoxLayout(panel4_);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(ShellTreeView1);

    auto* lower = new QWidget(splitter);
    auto* panel7 = new QWidget(lower);
    panel7->setObjectName(QStringLiteral("Panel7"));
    panel7->setFixedHeight(kSelectorPanelHeight);
    FilterComboBox1 = new QComboBox(panel7);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->setGeometry(0, 0, kSelectorWidth, kSelectorPanelHeight);
    FilterComboBox1->addItem(QStringLiteral("JPGファイル(*.jpg)"), QStringLiteral("*.jpg"));
    FilterComboBox1->addItem(QStringLiteral("BMPファイル(*.bmp)"), QStringLiteral("*.bmp"));

    FileListBox1 = new QListWidget(lower);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setItemDelegate(new CompactRowDelegate(FileListBox1));
    FileListBox1->setUniformItemSizes(true);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(0);
    lowerLayout->addWidget(panel7);
    lowerLayout->addWidget(FileListBox1);

    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kTreeHeight, kTreeHeight});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    layout->addWidget(splitter);

    connect(ShellTreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FilePane::onFolderChosen);
    // The model reads folders in the background and adds and sorts their rows later, which
    // moves the shown folder down the tree: it is brought back into view each time, until the
    // user takes the tree in hand.
    connect(folders_, &QFileSystemModel::rowsInserted, this, &FilePane::queueReveal);
    connect(folders_, &QFileSystemModel::layoutChanged, this, &FilePane::queueReveal);
    ShellTreeView1->installEventFilter(this);
    ShellTreeView1->viewport()->installEventFilter(this);
    for (QScrollBar* bar :
         {ShellTreeView1->verticalScrollBar(), ShellTreeView1->horizontalScrollBar()})
        connect(bar, &QScrollBar::actionTriggered, this, [this] { revealPending_ = false; });
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, &FilePane::onFileTypeChosen);
    // A selection, not the current row: focusing the list by the keyboard makes its first row
    // current without selecting it, and that must not load a file.
    connect(FileListBox1, &QListWidget::itemSelectionChanged, this, &FilePane::onFileClicked);
}

QSize FilePane::sizeHint() const {
    return {kPaneWidth, QWidget::sizeHint().height()};
}

void FilePane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    queueReveal(); // once the window has laid out the tree
}

bool FilePane::eventFilter(QObject* watched, QEvent* event) {
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
    const QModelIndex index = folders_->index(info.absoluteFilePath());
    if (!index.isValid()) return false;
    // The model fills its folders lazily, so the list is read here rather than waiting for them.
    folder_ = folders_->filePath(index);
    readFolder();
    ShellTreeView1->setCurrentIndex(index);
    revealPending_ = true;
    revealFolder();
    return true;
}

bool FilePane::showFile(const QString& path) {
    const QFileInfo file(path);
    if (!selectFolder(file.absolutePath())) return false;
    const QList<QListWidgetItem*> rows = FileListBox1->findItems(file.fileName(), Qt::MatchExactly);
    const QSignalBlocker quiet(FileListBox1); // marking the loaded file must not load it again
    if (rows.isEmpty()) {
        FileListBox1->clearSelection();
        return true;
    }
    FileListBox1->setCurrentItem(rows.first());
    FileListBox1->scrollToItem(rows.first());
    return true;
}

// The tree scrolls sideways only to the start of its one wide column, so a deep folder is
// brought in from the left by hand: its branch mark at the pane's left edge.
void FilePane::revealFolder() {
    const QModelIndex index = ShellTreeView1->currentIndex();
    if (!index.isValid()) return;
    ShellTreeView1->scrollTo(index);
    const int left = ShellTreeView1->visualRect(index).left() - ShellTreeView1->indentation();
    QScrollBar* sideways = ShellTreeView1->horizontalScrollBar();
    sideways->setValue(sideways->value() + left);
}

QString FilePane::currentFolder() const {
    return folder_;
}

QStringList FilePane::listedFiles() const {
    const QDir dir(folder_);
    QStringList paths;
    for (int row = 0; row < FileListBox1->count(); ++row)
        paths << dir.filePath(FileListBox1->item(row)->text());
    return paths;
}

void FilePane::followWidth() {
    FilterComboBox1->setFixedWidth(panel4_->width());
}

void FilePane::onFileTypeChosen() {
    readFolder();
}

void FilePane::onFolderChosen() {
    const QString path = folders_->filePath(ShellTreeView1->currentIndex());
    if (path.isEmpty() || path == folder_) return;
    folder_ = path;
    readFolder();
}

void FilePane::onFileClicked() {
    const QList<QListWidgetItem*> selected = FileListBox1->selectedItems();
    if (selected.isEmpty()) return;
    emit fileChosen(QDir(folder_).filePath(selected.first()->text()));
}

// A list that still shows the folder's files is left alone, with its selection and scroll
// position, so that moving through it with the arrow keys goes on from the file just loaded.
void FilePane::readFolder() {
    QStringList names;
    // QDir matches name filters without regard to case, so "*.jpg" also finds "A.JPG".
    if (!folder_.isEmpty())
        names = QDir(folder_).entryList({FilterComboBox1->currentData().toString()}, QDir::Files,
                                        QDir::Name | QDir::IgnoreCase);
    if (names == listedNames_) return;
    listedNames_ = names;
    FileListBox1->clear();
    FileListBox1->addItems(names);
}

} // namespace tavlo
