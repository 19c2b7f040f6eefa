#pragma once

#include <QAbstractItemModel>
#include <QJsonArray>
#include <QString>
#include <memory>
#include <vector>

// One line of an order tree: an order header at the top level, its detail
// lines below it.
struct OrderNode
{
    QString text;
    OrderNode* parent = nullptr;
    std::vector<std::unique_ptr<OrderNode>> children;

    explicit OrderNode(QString t = {}) : text(std::move(t)) {}
    int row() const;
    int childCount() const { return int(children.size()); }
    const OrderNode* child(int i) const { return children[size_t(i)].get(); }
    OrderNode* child(int i) { return children[size_t(i)].get(); }
    // Appends a detached line (no model involved; for building copies).
    OrderNode* addChild(const QString& t);
};

// A tree of text lines shown by a tree view: the hub's order list and the
// accepted contracts. Every change goes through the model so views follow.
class OrderTree : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit OrderTree(QObject* parent = nullptr);
    ~OrderTree() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int topLevelCount() const { return m_root.childCount(); }
    const OrderNode* topLevel(int i) const;
    OrderNode* topLevel(int i);
    const OrderNode& root() const { return m_root; }

    // The node behind an index (nullptr for an invalid index) and back.
    const OrderNode* nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(const OrderNode* node) const;

    void clear();
    // Replaces every line at once (one reset for the views).
    void setTopLevel(std::vector<std::unique_ptr<OrderNode>> nodes);
    // Appends a line under `parent` (nullptr: a new top-level line).
    OrderNode* append(OrderNode* parent, const QString& text);
    // Appends a whole detached subtree in one insertion.
    OrderNode* appendSubtree(OrderNode* parent, std::unique_ptr<OrderNode> subtree);
    void removeChildren(OrderNode* node);

    // [{"text": ..., "children": [...]}, ...]
    QJsonArray toJson() const;

private:
    OrderNode m_root;
};

// The first top-level line whose text equals `text` exactly; nullptr if none.
const OrderNode* FindParentNodeByText(const OrderTree& tree, const QString& text);
OrderNode* FindParentNodeByText(OrderTree& tree, const QString& text);
// Appends a copy of `node` with all its descendants to the top level of `target`.
void CopyNodeWithChildren(const OrderNode& node, OrderTree& target);
// Copies the children of `source`, recursively, under the detached `target`.
void CopyChildren(const OrderNode& source, OrderNode& target);
// The carrier id of an order: the rest of its first "🆔 CarrierID: " line, trimmed.
QString GetCarrierIDFromParent(const OrderNode& order);
