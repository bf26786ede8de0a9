#include "controls/VcStatusBar.h"

#include "controls/VcStatusPane.h"

#include <algorithm>
#include <utility>
#include <vector>

TVcStatusBar::TVcStatusBar(TComponent* AOwner) : TPanel(AOwner)
{
    SetAlign(alBottom);
    SetHeight(22);
    SetBevelOuter(bvNone);
}

void TVcStatusBar::SharePanes()
{
    std::vector<std::pair<int, TVcStatusPane*>> Sized;  // wanted width, pane
    int Room = AlignRect().Width();
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (!C->GetVisible() || (C->GetAlign() != alLeft && C->GetAlign() != alRight))
            continue;
        auto* Pane = dynamic_cast<TVcStatusPane*>(C);
        if (Pane && Pane->GetAutoSize())
            Sized.emplace_back(Pane->WantedWidth(), Pane);
        else
            Room -= C->GetWidth();
    }
    // The narrowest take what they want while an equal share leaves them
    // room; the others share what is left alike.
    std::sort(Sized.begin(), Sized.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
    std::size_t Fitting = 0;
    while (Fitting < Sized.size() &&
           static_cast<long long>(Sized[Fitting].first) * static_cast<long long>(Sized.size() - Fitting) <= Room)
        Room -= Sized[Fitting++].first;
    const int Share = Fitting < Sized.size() ? std::max(0, Room) / static_cast<int>(Sized.size() - Fitting) : 0;
    for (std::size_t I = 0; I < Sized.size(); ++I)
        Sized[I].second->Fit(I < Fitting ? Sized[I].first : Share);
}

void TVcStatusBar::AlignDone()
{
    if (FArranging)
        return;
    FArranging = true;
    SharePanes();
    PlaceInOrder();
    FArranging = false;
}

// Aligning places the children of one side by their positions, and a hidden
// pane keeps the position it had when it was last shown: the panes are put
// back in their own order after every alignment.
void TVcStatusBar::PlaceInOrder()
{
    std::vector<TControl*> Lefts, Rights;
    int RightsWidth = 0;
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (!C->GetVisible())
            continue;
        if (C->GetAlign() == alLeft) {
            Lefts.push_back(C);
        } else if (C->GetAlign() == alRight) {
            Rights.push_back(C);
            RightsWidth += C->GetWidth();
        }
    }
    const TRect Area = AlignRect();
    // Held, so that the panes are placed all at once; releasing aligns
    // them again by their new positions, which keep this order.
    DisableAlign();
    int X = Area.Left;
    for (TControl* C : Lefts) {
        C->SetBounds(X, Area.Top, C->GetWidth(), Area.Height());
        X += C->GetWidth();
    }
    X = Area.Right - RightsWidth;
    for (TControl* C : Rights) {
        C->SetBounds(X, Area.Top, C->GetWidth(), Area.Height());
        X += C->GetWidth();
    }
    EnableAlign();
}
