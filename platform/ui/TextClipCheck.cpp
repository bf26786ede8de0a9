#include "ui/TextClipCheck.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QStringList>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QAbstractItemDelegate>
#include <QAbstractScrollArea>
#include <QTabBar>
#include <QToolButton>
#include <QTreeView>

#include "ui/Control.h"
#include "ui/ControlQt.h"

namespace {

// One text as a control shows it: Text needs Needed, in Widget's
// coordinates, and is shown only inside Area (and what the parents leave
// of the widget, when Clipped).
struct TTextBox {
    QWidget* Widget;
    QString Text;
    QRect Needed;
    QRect Area;
    bool Clipped = true;
    // A caption takes part in the overlap check among siblings.
    bool Caption = true;
};

QString Plain(QString Text)
{
    // "&&" stands for "&"; a single "&" marks the mnemonic and is not shown.
    Text.replace("&&", QStringLiteral("\x01"));
    Text.remove('&');
    Text.replace(QStringLiteral("\x01"), "&");
    return Text;
}

std::string NameOf(const QWidget* W)
{
    for (const QWidget* P = W; P; P = P->parentWidget())
        if (!P->objectName().isEmpty() && !P->objectName().startsWith("qt_"))
            return StdStr(P->objectName()) + (P == W ? "" : " (" + std::string(W->metaObject()->className()) + ")");
    return W->metaObject()->className();
}

// A rectangle of Size placed in Area by Alignment.
QRect Placed(const QRect& Area, QSize Size, Qt::Alignment Alignment)
{
    return QStyle::alignedRect(Qt::LeftToRight, Alignment, Size, Area);
}

// What a line of Text placed at Line inks, up and down. Fonts differ in
// how much room they leave above and below their letters (one font's
// line is a third taller than another's at the same size), and that room
// may be cut without cutting a letter, so only the ink counts across the
// line. A text of several lines, or of no ink, keeps the whole line.
QRect InkedRows(const QFontMetrics& M, const QString& Text, const QRect& Line)
{
    if (Text.contains('\n') || Line.height() >= 2 * M.height())
        return Line;
    const QRect Ink = M.tightBoundingRect(Text);
    if (Ink.isEmpty())
        return Line;
    const int Baseline = Line.top() + M.ascent();
    return QRect(Line.left(), Baseline + Ink.top(), Line.width(), Ink.height());
}

void LabelBoxes(QLabel* L, std::vector<TTextBox>& Boxes)
{
    if (L->text().isEmpty() || L->textFormat() == Qt::RichText)
        return;
    const int Flags = int(L->alignment()) | (L->wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QRect Area = L->contentsRect();
    const QFontMetrics& M = L->fontMetrics();
    Boxes.push_back({L, L->text(), InkedRows(M, L->text(), M.boundingRect(Area, Flags, L->text())), Area});
}

void ButtonBoxes(QAbstractButton* B, std::vector<TTextBox>& Boxes)
{
    if (B->text().isEmpty())
        return;
    const QString Text = Plain(B->text());
    const QFontMetrics& M = B->fontMetrics();
    if (qobject_cast<QCheckBox*>(B) || qobject_cast<QRadioButton*>(B)) {
        // The indicator, the gap and the text, as the style lays them out.
        const QSize Hint = B->sizeHint();
        Boxes.push_back({B, Text, Placed(B->rect(), Hint, Qt::AlignLeft | Qt::AlignVCenter), B->rect()});
        return;
    }
    if (auto* T = qobject_cast<QToolButton*>(B); T && T->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return;
    // Push and tool buttons centre their text; a few pixels of frame on each side.
    const int Frame = qobject_cast<QPushButton*>(B) ? 4 : 1;
    const QRect Area = B->rect().adjusted(Frame, 0, -Frame, 0);
    const QSize Size(M.horizontalAdvance(Text), std::min(M.height(), Area.height()));
    Boxes.push_back({B, Text, Placed(Area, Size, Qt::AlignCenter), Area});
}

void GroupBoxes(QGroupBox* G, std::vector<TTextBox>& Boxes)
{
    if (G->title().isEmpty())
        return;
    QStyleOptionGroupBox Option;
    Option.initFrom(G);
    Option.text = G->title();
    Option.lineWidth = 1;
    Option.midLineWidth = 0;
    Option.textAlignment = G->alignment();
    Option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect Label = G->style()->subControlRect(QStyle::CC_GroupBox, &Option, QStyle::SC_GroupBoxLabel, G);
    Boxes.push_back({G, Plain(G->title()), Label, G->rect()});
}

void EditBoxes(QLineEdit* E, std::vector<TTextBox>& Boxes)
{
    const QString Text = E->displayText();
    if (Text.isEmpty())
        return;
    QStyleOptionFrame Option;
    Option.initFrom(E);
    Option.lineWidth = E->hasFrame() ? E->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &Option, E) : 0;
    const QMargins Margins = E->textMargins();
    // The edit keeps a pixel free on each side of its text.
    const QRect Area = E->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &Option, E)
                           .marginsRemoved(Margins)
                           .adjusted(1, 0, -1, 0);
    const QFontMetrics& M = E->fontMetrics();
    const QSize Size(M.horizontalAdvance(Text), M.height());
    const Qt::Alignment Horizontal = E->alignment() & Qt::AlignHorizontal_Mask;
    Boxes.push_back(
        {E, Text, InkedRows(M, Text, Placed(Area, Size, (Horizontal ? Horizontal : Qt::AlignLeft) | Qt::AlignVCenter)),
         Area, true, false});
}

void ComboBoxes(QComboBox* C, std::vector<TTextBox>& Boxes)
{
    QStyleOptionComboBox Option;
    Option.initFrom(C);
    Option.editable = C->isEditable();
    Option.frame = C->hasFrame();
    const QRect Field = C->isEditable()
                            ? C->lineEdit()->geometry()
                            : C->style()->subControlRect(QStyle::CC_ComboBox, &Option, QStyle::SC_ComboBoxEditField, C);
    const QRect Area = Field.adjusted(1, 0, -1, 0);
    const QFontMetrics& M = C->fontMetrics();
    // Every item: whichever is chosen must show whole.
    for (int I = 0; I < C->count(); ++I) {
        const QString Text = C->itemText(I);
        const QSize Size(M.horizontalAdvance(Text), M.height());
        Boxes.push_back(
            {C, Text, InkedRows(M, Text, Placed(Area, Size, Qt::AlignLeft | Qt::AlignVCenter)), Area, true, false});
    }
}

void TreeBoxes(QTreeView* T, std::vector<TTextBox>& Boxes)
{
    const QAbstractItemModel* Model = T->model();
    if (!Model)
        return;
    QStyleOptionViewItem Option;
    Option.initFrom(T);
    Option.font = T->font();
    Option.decorationSize = T->iconSize().isValid() ? T->iconSize() : QSize(16, 16);
    std::vector<QModelIndex> Pending;
    for (int Row = 0; Row < Model->rowCount(); ++Row)
        Pending.push_back(Model->index(Row, 0));
    while (!Pending.empty()) {
        const QModelIndex Index = Pending.back();
        Pending.pop_back();
        if (T->isExpanded(Index))
            for (int Row = 0; Row < Model->rowCount(Index); ++Row)
                Pending.push_back(Model->index(Row, 0, Index));
        const QRect Cell = T->visualRect(Index);
        if (!Cell.isValid())
            continue;
        const QSize Hint = T->itemDelegateForIndex(Index)->sizeHint(Option, Index);
        // Rows scroll into view, so only the width of the column counts.
        Boxes.push_back({T->viewport(), Index.data().toString(),
                         QRect(Cell.topLeft(), QSize(Hint.width(), Cell.height())), Cell, false, false});
    }
}

void TabBoxes(QTabBar* Tabs, std::vector<TTextBox>& Boxes)
{
    const QFontMetrics& M = Tabs->fontMetrics();
    for (int I = 0; I < Tabs->count(); ++I) {
        if (!Tabs->isTabVisible(I))
            continue;
        const QString Text = Plain(Tabs->tabText(I));
        const QRect Area = Tabs->tabRect(I);
        const QRect Line = Placed(Area, QSize(M.horizontalAdvance(Text), M.height()), Qt::AlignCenter);
        Boxes.push_back({Tabs, Text, InkedRows(M, Text, Line), Area, true, false});
    }
}

void BoxesOf(QWidget* W, std::vector<TTextBox>& Boxes)
{
    if (auto* L = qobject_cast<QLabel*>(W))
        LabelBoxes(L, Boxes);
    else if (auto* B = qobject_cast<QAbstractButton*>(W))
        ButtonBoxes(B, Boxes);
    else if (auto* G = qobject_cast<QGroupBox*>(W))
        GroupBoxes(G, Boxes);
    else if (auto* E = qobject_cast<QLineEdit*>(W))
        EditBoxes(E, Boxes);
    else if (auto* C = qobject_cast<QComboBox*>(W))
        ComboBoxes(C, Boxes);
    else if (auto* T = qobject_cast<QTreeView*>(W))
        TreeBoxes(T, Boxes);
    else if (auto* Tabs = qobject_cast<QTabBar*>(W))
        TabBoxes(Tabs, Boxes);
}

bool HasChinese(const QString& Text)
{
    for (const QChar C : Text)
        if (C.unicode() >= 0x3000 && C.unicode() <= 0x9FFF)
            return true;
    return false;
}

std::string Quoted(const TTextBox& B)
{
    return NameOf(B.Widget) + " \"" + StdStr(B.Text) + "\"";
}

bool IsScrollViewport(const QWidget* W)
{
    const auto* Area = qobject_cast<const QAbstractScrollArea*>(W->parentWidget());
    return Area && Area->viewport() == W;
}

// What W's parents leave of its rectangle, in W's coordinates. What a
// scroll area holds scrolls into view, so its viewport does not cut.
QRect UnclippedPart(const QWidget* W)
{
    QRect R = W->rect();
    QPoint Offset(0, 0);
    for (const QWidget* P = W; P->parentWidget() && !P->isWindow() && !IsScrollViewport(P->parentWidget());
         P = P->parentWidget()) {
        Offset += P->pos();
        R &= P->parentWidget()->rect().translated(-Offset);
    }
    return R;
}

std::string Size(const QRect& R)
{
    return std::to_string(R.width()) + "x" + std::to_string(R.height());
}

}  // namespace

std::vector<std::string> TTextClipCheck::Problems(TControl* Root)
{
    std::vector<QWidget*> Widgets{Root->Widget()};
    for (QWidget* W : Root->Widget()->findChildren<QWidget*>())
        if (W->isVisible())
            Widgets.push_back(W);
    std::vector<TTextBox> Boxes;
    for (QWidget* W : Widgets)
        BoxesOf(W, Boxes);

    std::vector<std::string> Found;
    bool ChineseReported = false;
    const bool ChineseFont = !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
    for (const TTextBox& B : Boxes) {
        if (!ChineseFont && !ChineseReported && HasChinese(B.Text)) {
            Found.push_back(Quoted(B) + ": no installed font has Chinese characters");
            ChineseReported = true;
        }
        if (!B.Area.contains(B.Needed))
            Found.push_back(Quoted(B) + " needs " + Size(B.Needed) + " but shows in " + Size(B.Area));
        else if (B.Clipped && !UnclippedPart(B.Widget).contains(B.Needed))
            Found.push_back(Quoted(B) + " runs out of its parent");
    }

    // Captions of siblings must not overlap (a text too big for its control
    // is reported above, so only what the control shows counts); fields (edits, combo boxes,
    // spin boxes) count as whole rectangles.
    struct TPlaced {
        std::string Name;
        QWidget* Parent;
        QRect R;
    };
    std::vector<TPlaced> Placed;
    for (const TTextBox& B : Boxes)
        if (B.Caption && B.Widget->parentWidget())
            Placed.push_back({Quoted(B), B.Widget->parentWidget(), (B.Needed & B.Area).translated(B.Widget->pos())});
    for (QWidget* W : Widgets)
        if (W != Root->Widget() && W->parentWidget() &&
            (qobject_cast<QAbstractSpinBox*>(W) || qobject_cast<QComboBox*>(W) ||
             (qobject_cast<QLineEdit*>(W) && !qobject_cast<QAbstractSpinBox*>(W->parentWidget()) &&
              !qobject_cast<QComboBox*>(W->parentWidget()))))
            Placed.push_back({NameOf(W), W->parentWidget(), W->geometry()});
    for (size_t I = 0; I < Placed.size(); ++I)
        for (size_t J = I + 1; J < Placed.size(); ++J)
            if (Placed[I].Parent == Placed[J].Parent && Placed[I].R.intersects(Placed[J].R))
                Found.push_back(Placed[I].Name + " overlaps " + Placed[J].Name);
    return Found;
}
