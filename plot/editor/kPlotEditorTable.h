#pragma once
// A page of the plot editor as data: rows of {item, control type,
// property, items}. The control's name is the page's prefix, the item and
// the type's suffix ("Channel" + "MarkersPenColor" + "Picker"); the
// property is reached by name through the published-property registry,
// so adding a property to a page is one row.
#include <string>
#include <vector>

enum class TkEditorControlType {
    Edit,    // edit: text, whole number or number, as the property is
    Memo,    // text of several lines
    Check,   // check box
    Choice,  // drop-down list: item index is the property's ordinal
    Radio,   // radio group: item index is the property's ordinal
    Color,   // colour picker
    Font,    // font picker
    Name,    // editable combo of object names; its text is the property
};

struct TkEditorRow {
    std::string Item;
    // What the user reads beside the control (or on it, for a check box
    // or a radio group).
    std::string Caption;
    TkEditorControlType Type;
    // Published property; empty: the item.
    std::string Property;
    // Choice and radio: the texts shown for the values, in ordinal order
    // (the value stored is the ordinal, never the text). Name: what fills
    // the combo, in order:
    // a kind's name stands for its objects' names, "<None>" and "<All>"
    // for themselves.
    std::vector<std::string> Items;
    // Edit: the value converter's page that a picker beside it opens on
    // (-1: no picker).
    int ConverterPage = -1;

    const std::string& PropertyName() const { return Property.empty() ? Item : Property; }
};

struct TkEditorSubPage {
    std::string Caption;
    std::vector<TkEditorRow> Rows;
    // A tab within the tab captioned Within (listed before it), on a page
    // control named prefix + Nest + "PageControl" below that tab's rows.
    std::string Within{};
    std::string Nest{};
};

struct TkEditorPageTable {
    std::string Caption;
    // Kind of the objects edited ("" for the plot itself); also the prefix
    // of every control of the page but the Add button.
    std::string Kind;
    std::string Prefix;
    // Name of the page's Add button; empty: the page adds no objects.
    std::string AddButton;
    std::vector<TkEditorSubPage> SubPages;
};

// The suffix a control of the type carries in its name.
const char* EditorControlSuffix(TkEditorControlType Type);

// The plot-wide page and the pages of the kinds, in the tabs' order.
const TkEditorPageTable& ControlPageTable();
const std::vector<TkEditorPageTable>& KindPageTables();
