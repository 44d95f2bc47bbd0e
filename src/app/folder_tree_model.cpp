#include "app/folder_tree_model.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace tavlo {

struct FolderTreeModel::Node {
    QString name;
    QString path;
    QIcon icon;
    Node* parent = nullptr;
    int row = 0;
    bool listed = false;
    std::vector<std::unique_ptr<Node>> children;

    Node* adopt(std::unique_ptr<Node> child, int at) {
        child->parent = this;
        Node* added = child.get();
        children.insert(children.begin() + at, std::move(child));
        for (int row = at; row < int(children.size()); ++row)
            children[row]->row = row;
        return added;
    }
};

namespace {

// "/a/b" under "/a" is "b"; under "/" it is "a/b".
QString below(const QString& path, const QString& place) {
    return place == QDir::rootPath() ? path.mid(1) : path.mid(place.size() + 1);
}

bool holds(const QString& place, const QString& path) {
    return path == place || place == QDir::rootPath() || path.startsWith(place + QLatin1Char('/'));
}

} // namespace

QString FolderTreeModel::picturesFolder() {
    const QFileInfo pictures(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    return pictures.isDir() ? pictures.absoluteFilePath() : QString();
}

std::vector<FolderTreeModel::Place> FolderTreeModel::userPlaces() {
    const QString home = QDir::homePath();
    std::vector<Place> places{
        {QStringLiteral("ホーム"), home, QIcon::fromTheme(QStringLiteral("user-home"))}};
    const QString pictures = picturesFolder();
    if (!pictures.isEmpty() && pictures != home)
        places.push_back({QFileInfo(pictures).fileName(), pictures,
                          QIcon::fromTheme(QStringLiteral("folder-pictures"))});
    places.push_back(
        {QDir::rootPath(), QDir::rootPath(), QIcon::fromTheme(QStringLiteral("drive-harddisk"))});
    return places;
}

FolderTreeModel::FolderTreeModel(std::vector<Place> places, QObject* parent)
    : QAbstractItemModel(parent), top_(std::make_unique<Node>()) {
    top_->listed = true;
    for (Place& place : places) {
        auto node = std::make_unique<Node>();
        node->name = std::move(place.name);
        node->path = QDir::cleanPath(QFileInfo(place.path).absoluteFilePath());
        node->icon = std::move(place.icon);
        top_->adopt(std::move(node), int(top_->children.size()));
    }
}

FolderTreeModel::~FolderTreeModel() = default;

FolderTreeModel::Node* FolderTreeModel::nodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : top_.get();
}

QModelIndex FolderTreeModel::indexOfNode(Node* node) const {
    return node == top_.get() ? QModelIndex() : createIndex(node->row, 0, node);
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const Node* node = nodeOf(parent);
    if (column != 0 || row < 0 || row >= int(node->children.size())) return {};
    return createIndex(row, 0, node->children[row].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    return indexOfNode(nodeOf(child)->parent);
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
    return parent.column() > 0 ? 0 : int(nodeOf(parent)->children.size());
}

int FolderTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Node* node = nodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
        return node->name;
    case Qt::ToolTipRole:
        return node->path;
    case Qt::DecorationRole:
        return node->icon.isNull() ? icons_.icon(QFileIconProvider::Folder) : node->icon;
    default:
        return {};
    }
}

// Unread folders offer to open: reading every folder shown only to learn whether it has
// subfolders would cost a directory read per row.
bool FolderTreeModel::hasChildren(const QModelIndex& parent) const {
    const Node* node = nodeOf(parent);
    return !node->listed || !node->children.empty();
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const {
    return !nodeOf(parent)->listed;
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
    list(nodeOf(parent));
}

namespace {

QStringList subfolderNames(const QString& path) {
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

} // namespace

void FolderTreeModel::list(Node* node) {
    if (node->listed) return;
    node->listed = true;
    const QStringList names = subfolderNames(node->path);
    if (names.isEmpty()) return;
    beginInsertRows(indexOfNode(node), 0, int(names.size()) - 1);
    const QDir folder(node->path);
    for (const QString& name : names) {
        auto child = std::make_unique<Node>();
        child->name = name;
        child->path = folder.filePath(name);
        node->adopt(std::move(child), int(node->children.size()));
    }
    endInsertRows();
}

FolderTreeModel::Node* FolderTreeModel::insertChild(Node* node, const QString& name, int at) {
    beginInsertRows(indexOfNode(node), at, at);
    auto child = std::make_unique<Node>();
    child->name = name;
    child->path = QDir(node->path).filePath(name);
    Node* added = node->adopt(std::move(child), at);
    endInsertRows();
    return added;
}

// A hidden folder shown because someone went there stays while it exists.
void FolderTreeModel::reread(const QModelIndex& index) {
    Node* node = nodeOf(index);
    if (!node->listed || node == top_.get()) return;
    const QStringList names = subfolderNames(node->path);
    auto& children = node->children;
    for (int row = int(children.size()) - 1; row >= 0; --row) {
        const Node& child = *children[row];
        const bool hiddenButThere =
            child.name.startsWith(QLatin1Char('.')) && QFileInfo(child.path).isDir();
        if (names.contains(child.name) || hiddenButThere) continue;
        beginRemoveRows(index, row, row);
        children.erase(children.begin() + row);
        for (int after = row; after < int(children.size()); ++after)
            children[after]->row = after;
        endRemoveRows();
    }
    for (const QString& name : names)
        childNamed(node, name);
}

FolderTreeModel::Node* FolderTreeModel::childNamed(Node* node, const QString& name) {
    list(node);
    const auto& children = node->children;
    const auto found = std::find_if(children.begin(), children.end(),
                                    [&](const auto& child) { return child->name == name; });
    if (found != children.end()) return found->get();
    // A hidden folder is not listed until someone goes there; a new one not until reread.
    const QString path = QDir(node->path).filePath(name);
    if (!QFileInfo(path).isDir()) return nullptr;
    // In name order, as the folder was listed.
    const auto after = std::find_if(children.begin(), children.end(), [&](const auto& child) {
        return child->name.compare(name, Qt::CaseInsensitive) > 0;
    });
    return insertChild(node, name, int(after - children.begin()));
}

QModelIndex FolderTreeModel::indexOf(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) return {};
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    Node* place = nullptr;
    for (const auto& candidate : top_->children)
        if (holds(candidate->path, path) && (!place || candidate->path.size() > place->path.size()))
            place = candidate.get();
    if (!place) return {};
    Node* node = place;
    if (path != place->path)
        for (const QString& name : below(path, place->path).split(QLatin1Char('/'))) {
            node = childNamed(node, name);
            if (!node) return {};
        }
    return indexOfNode(node);
}

QString FolderTreeModel::filePath(const QModelIndex& index) const {
    return index.isValid() ? nodeOf(index)->path : QString();
}

} // namespace tavlo
