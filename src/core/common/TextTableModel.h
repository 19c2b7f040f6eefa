#pragma once

#include <QAbstractTableModel>
#include <QJsonArray>
#include <QList>
#include <QStringList>

// A grid of text cells, as the program's lists are kept: row 0 is an ordinary
// row that the program writes like any other (often a heading), quantities
// are decimal text converted when used. Windows show it in a view; editing in
// place changes the cells when the model is editable.
class TextTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TextTableModel(int columns = 1, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setEditable(bool on) { m_editable = on; }
    bool isEditable() const { return m_editable; }

    // Cell access; reading outside the grid gives empty text, writing outside
    // the grid is ignored.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    QStringList row(int r) const;
    void setRow(int r, const QStringList& cells);

    // Grows with empty rows or cuts rows off the end.
    void setRowCount(int rows);
    void setColumnCount(int columns);
    void appendRow(const QStringList& cells);
    void insertRowAt(int r, const QStringList& cells);
    void removeRowAt(int r);
    // Replaces every cell at once (one reset for the view).
    void setAll(const QList<QStringList>& rows);
    const QList<QStringList>& rows() const { return m_rows; }

    // Shows one column's cells through `shown` (stored text in, text for a
    // person out); cell(), the edit role and toJson() keep the stored text.
    using ShownText = QString (*)(const QString&);
    void setShownText(int column, ShownText shown);

    // Optional tooltip per row (shown by views); empty text shows none.
    void setRowToolTip(int row, const QString& text);
    QString rowToolTip(int row) const;

    QJsonArray toJson() const;

private:
    QStringList normalised(QStringList cells) const;

    int m_columns;
    bool m_editable = false;
    QList<QStringList> m_rows;
    QStringList m_toolTips;
    int m_shownColumn = -1;
    ShownText m_shown = nullptr;
};
