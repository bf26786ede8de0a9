// The master manager's translation of whole forms: the editor's and the
// dialogs it opens.
#include "plot/core/kPlotEditorListener.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kRadioGroup.h"
#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"

namespace {

void TranslateStrings(const TkPlotTranslationManager& Pairs, TStrings& Items)
{
    for (int i = 0; i < Items.Count(); ++i) {
        const std::string text = Items.Get(i);
        const std::string translated = Pairs.Translate(text);
        if (translated != text)
            Items.Put(i, translated);
    }
}

}  // namespace

void TkPlotMasterManager::TranslateControl(TForm* Form) const
{
    if (!Form || !FTranslationManager || !FTranslationManager->HasItems())
        return;
    if (FEditorHost && FEditorHost->IsLoadingEditor(Form))
        return;
    const TkPlotTranslationManager& pairs = *FTranslationManager;
    Form->SetText(pairs.Translate(Form->GetText()));
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        TComponent* component = Form->Components(i);
        auto* combo = dynamic_cast<TComboBox*>(component);
        // A radio group's and a check box's caption is their text, so one
        // pass over the text translates it once. A combo box shows its
        // selected item, translated with the items: setting its text first
        // would look for a translated item that is not there yet and lose
        // the selection.
        auto* control = dynamic_cast<TControl*>(component);
        if (control && !combo) {
            const std::string text = control->GetText();
            const std::string translated = pairs.Translate(text);
            if (translated != text)
                control->SetText(translated);
        }
        if (auto* group = dynamic_cast<TkRadioGroup*>(component))
            TranslateStrings(pairs, *group->GetItems());
        if (combo)
            TranslateStrings(pairs, *combo->Items);
        if (auto* menu = dynamic_cast<TPopupMenu*>(component))
            for (int j = 0; j < menu->Items->Count(); ++j) {
                TMenuItem* item = menu->Items->Items(j);
                item->SetCaption(pairs.Translate(item->GetCaption()));
            }
    }
}
