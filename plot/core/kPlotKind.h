#pragma once
// A kind of plot object (axis, channel, legend, ...), described once, in a
// file beside its class: how its objects are made and first linked, where
// the layout pass puts them, where the plot paints them and how presses
// reach them. The master manager keeps one manager per registered kind, and
// the layout pass, the paint and the input read the descriptions, so the
// core names no kind defined above it.
//
// Each kind's file registers its description while the program starts
// (RegisterPlotKind from a namespace-scope initialiser). The descriptions
// are constant-initialised, so a registration may run before or after any
// other, and the list of kinds is kept in Order whatever the registration
// order. The plot libraries are linked whole (cmake/KalvoLibrary.cmake):
// nothing refers to a kind's file, which a plain static link would drop.
// Plots are made after start-up, when every kind has registered.
#include <span>
#include <typeinfo>
#include <vector>

class TkPlotDataView;
class TkPlotKindManager;
class TkPlotMasterManager;
class TkPlotObject;
class TkPlotObjectOwner;
struct TkPlotKind;
struct TkPlotObjectCallbacks;

// How the layout pass spans an object of the kind along its edge.
enum class TkPlotLayoutSpan {
    // Keeps only its band (data views, objects outside the layout).
    None,
    // Along the data view's width or height (axes, legends, tables).
    DataView,
    // Across the plot inside its border, lying horizontally; standing,
    // it keeps only its band. In the list above the data view it sits
    // against the top border, and when it is alone there the axes' end
    // margin stays below it (toolbars).
    WholePlot,
    // Lying, between the plot's outer margins; standing, along the data
    // view's height (labels).
    OuterMargins,
};

// Where the plot paints an object.
struct TkPlotPaintPlace {
    enum TStage {
        // Not by the plot's paint.
        None,
        // Clipped to the data view, sorted by layer and then by Group
        // (see TkPlotPaintOrder).
        InDataView,
        // After the plot's border, kinds in Rank order, each kind's
        // objects in their list order.
        OverPlot,
    };
    TStage Stage = None;
    char Group = 0;
    int Rank = 0;
    // Drawn on the data view's background colour instead of the plot's.
    bool OnViewBackground = false;
};

// What loading the plot's configuration file does with the objects of a
// kind that the plot holds.
enum class TkPlotConfigLoad {
    // Leaves them.
    Keep,
    // Removes them all; each section of the file adds one.
    Replace,
    // Removes all but the first (the title label), which takes section 0;
    // each later section adds one.
    KeepFirst,
    // Neither removes nor adds: every section lands on the first object.
    IntoFirst,
};

// The class of a kind's objects: makes one with its owner and callbacks.
using TkPlotObjectFactory = TkPlotObject* (*)(TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks);
// Makes the manager of a kind for a plot: with the owner and callbacks
// every manager is made with, and the master manager it hands to the
// kind's links.
using TkPlotKindManagerFactory = TkPlotKindManager* (*)(TkPlotObjectOwner* Owner,
                                                        const TkPlotObjectCallbacks& Callbacks,
                                                        TkPlotMasterManager& Master, const TkPlotKind& Kind);
// Gives an object links to the plot's other objects.
using TkPlotObjectLinker = void (*)(TkPlotObject& Object, TkPlotMasterManager& Master);

// One of the classes a kind's objects may be of, by the name the plot's
// stream gives it.
struct TkPlotNamedClass {
    const char* Name = "";
    TkPlotObjectFactory Make = nullptr;
    // The class itself: an object of a class derived from it is not one.
    const std::type_info* Type = nullptr;
};

struct TkPlotKind {
    // ---- making
    // The kind's name: its manager streams as Name + "Manager", and the
    // plot's events of the kind end in it.
    const char* Name = "";
    // The stem of the names its manager gives ("Legend" for Legend 1).
    const char* DefaultName = "";
    // Where its manager stands among the kinds: the order in which the
    // managers stream, hear removals, renames and focus changes, and
    // paint.
    int Order = 0;
    // When the master manager frees its manager, if not at Order.
    int FreeOrder = 0;
    // Makes the kind's manager (a typed one, see NewPlotKindManager).
    TkPlotKindManagerFactory NewManager = nullptr;
    // The class the manager makes objects of until told another; none:
    // it refuses to make any.
    TkPlotObjectFactory NewObject = nullptr;
    // Links every object the manager makes, whatever its class, before it
    // is read or registered.
    TkPlotObjectLinker Link = nullptr;
    // The first links of a new object, right after its manager named it.
    TkPlotObjectLinker FirstLinks = nullptr;
    // The manager names objects that come without a name.
    bool NamesObjects = true;
    // The plot streams the kind's objects with its form data.
    bool Streamed = true;
    // The classes its objects may be of, where there are several: the
    // stream names each object's class among them, so that the object
    // reads back as one of its class. An object of a class not listed, or
    // one read from a stream that names none, is of the class the manager
    // makes.
    std::span<const TkPlotNamedClass> Classes = {};

    // ---- layout
    TkPlotLayoutSpan Span = TkPlotLayoutSpan::None;
    // A change of an object's size or place lays the plot out again.
    bool RelayoutOnChange = false;

    // ---- painting
    // The plot paints nothing while the kind has no object.
    bool RequiredToPaint = false;
    // Before the layout, once per paint.
    void (*BeforeLayout)(TkPlotKindManager& Objects, TkPlotMasterManager& Master) = nullptr;
    // Its objects' PreDraw runs after the layout, before the axes' one.
    bool PreDrawn = false;
    // After the pre-draw pass: data view 0, which each object paints in.
    void (*TakeDataView)(TkPlotObject& Object, TkPlotDataView& View) = nullptr;
    // Where an object of the kind is painted; none: nowhere.
    TkPlotPaintPlace (*Paint)(const TkPlotObject& Object) = nullptr;

    // ---- input
    // Hit only where no object of another kind is (data views, legends).
    bool HitLast = false;
    // A click does not select the object (toolbars).
    bool Unselectable = false;
    // A press goes to the object alone even when others are selected.
    bool PressAlone = false;
    // A drag goes to the pressed object alone.
    bool DragAlone = false;
    // A hint of the object hides at the next move once it shows.
    bool HintHidesOnMove = false;

    // ---- property-text files
    // Where the kind's sections stand in the plot's configuration file,
    // lowest first; 0: the file holds none of its objects.
    int ConfigRank = 0;
    TkPlotConfigLoad ConfigLoad = TkPlotConfigLoad::Keep;

    int FreeRank() const { return FreeOrder != 0 ? FreeOrder : Order; }
};

// A kind is itself: there is one description of each.
inline bool operator==(const TkPlotKind& A, const TkPlotKind& B)
{
    return &A == &B;
}

// Files a kind; a kind filed twice stays once. Answers true, for use as
// a namespace-scope initialiser.
bool RegisterPlotKind(const TkPlotKind& Kind);
// Every filed kind, in Order.
const std::vector<const TkPlotKind*>& RegisteredPlotKinds();

// The class factory of T.
template <class T> TkPlotObject* NewPlotObject(TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks)
{
    return new T(Owner, Callbacks);
}

// Each kind's description is TkPlotObjectKind::<Name>, declared beside its
// class; Other is that of objects no manager files by kind (buttons,
// layout placeholders).
namespace TkPlotObjectKind {
extern const TkPlotKind Other;
}  // namespace TkPlotObjectKind
