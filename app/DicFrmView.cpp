#include "app/DicFrmView.h"

#include "app/FullTextHint.h"
#include "app/WordListBox.h"
#include "app/WordListModel.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

namespace velmora {

DicFrmView::DicFrmView(const Controls &controls, std::function<void()> List1_Click)
    : m_controls(controls)
    , m_List1_Click(std::move(List1_Click))
{
    // Not currentChanged: a mouse press moves the current item before it
    // selects it, and the handler reads the selection.
    QObject::connect(m_controls.List1->selectionModel(), &QItemSelectionModel::selectionChanged,
        m_controls.List1, [this] { selectionChanged(); });
}

void DicFrmView::selectionChanged()
{
    // Ctrl+click can leave nothing selected; the shown entry then stays.
    if (!m_selectingByProgram && selectedIndex() >= 0)
        m_List1_Click();
}

void DicFrmView::insertItems(int position, int count, std::function<QString(int)> textAt)
{
    m_controls.model->insertItems(position, count, std::move(textAt));
}

QString DicFrmView::itemText(int position) const
{
    return m_controls.model->itemText(position);
}

int DicFrmView::selectedIndex() const
{
    const QModelIndexList selected = m_controls.List1->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void DicFrmView::setSelectedIndex(int position)
{
    const QModelIndex index = m_controls.model->index(position, 0);
    {
        QScopedValueRollback guard(m_selectingByProgram, true);
        m_controls.List1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    if (index.isValid())
        m_controls.List1->scrollTo(index);
    // The handler runs even when the position did not change.
    m_List1_Click();
}

QString DicFrmView::selectedText() const
{
    return itemText(selectedIndex());
}

QString DicFrmView::searchText() const
{
    return m_controls.Text1->text();
}

void DicFrmView::setMeaning(const QString &text)
{
    m_controls.WMeaning->setPlainText(text);
}

void DicFrmView::setWordType(const QString &text)
{
    m_controls.WType->setText(text);
    m_controls.WType->setCursorPosition(0);
    FullTextHint::update(*m_controls.WType);
}

void DicFrmView::setExample(const QString &text)
{
    m_controls.WExample->setPlainText(text);
}

void DicFrmView::setCopyCaption(const QString &caption)
{
    // A single '&' would otherwise turn the next letter into a shortcut.
    QString shown = caption;
    m_controls.MCopy->setText(shown.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void DicFrmView::popupCopyMenu()
{
    m_controls.MFile->popup(QCursor::pos());
}

void DicFrmView::popupCopyMenuAtSelection()
{
    QWidget *viewport = m_controls.List1->viewport();
    const QRect item
        = m_controls.List1->visualRect(m_controls.model->index(selectedIndex(), 0)) & viewport->rect();
    const QPoint at = item.isEmpty() ? QPoint(0, 0) : QPoint(item.left() + item.height() / 2, item.bottom());
    m_controls.MFile->popup(viewport->mapToGlobal(at));
    // Opened by keyboard, the menu lets the arrow keys and Enter reach its item at once.
    m_controls.MFile->setActiveAction(m_controls.MCopy);
}

void DicFrmView::clearClipboard()
{
    QGuiApplication::clipboard()->clear();
}

void DicFrmView::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

} // namespace velmora
