// The folders of the file pane's tree: a few places at the top (home, Pictures, the root), each
// opening onto the folders below it, read when first opened and sorted by name.
#pragma once

#include <QAbstractItemModel>
#include <QFileIconProvider>
#include <QIcon>

#include <memory>
#include <vector>

namespace tavlo {

class FolderTreeModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    struct Place {
        QString name;
        QString path;
        QIcon icon; // a null icon gives the folder icon
    };

    // The user's XDG Pictures folder; empty when there is no such folder.
    static QString picturesFolder();
    // Home, the user's Pictures folder when it exists apart from home, and the root.
    static std::vector<Place> userPlaces();

    explicit FolderTreeModel(std::vector<Place> places, QObject* parent = nullptr);
    ~FolderTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The folder's absolute path; empty for no index.
    QString filePath(const QModelIndex& index) const;
    // The folder's node under the place that holds it most closely (a photo in Pictures is found
    // under Pictures, not under home), reading the folders on the way. A hidden folder is shown
    // once it is asked for. Invalid when the path is no folder.
    QModelIndex indexOf(const QString& folder);
    // Reads a folder already read again, for folders made or removed since: the tree does not
    // watch the disk, but opening a folder shows what it holds now.
    void reread(const QModelIndex& index);

  private:
    struct Node;
    Node* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOfNode(Node* node) const;
    void list(Node* node); // reads the node's subfolders, once
    Node* childNamed(Node* node, const QString& name);
    Node* insertChild(Node* node, const QString& name, int at);

    std::unique_ptr<Node> top_; // holds the places; no folder of its own
    QFileIconProvider icons_;
};

} // namespace tavlo
