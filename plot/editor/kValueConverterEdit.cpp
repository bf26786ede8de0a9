#include "plot/editor/kValueConverterEdit.h"

#include <cmath>

#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorPageControl.h"
#include "plot/editor/kEditorPageBuilder.h"
#include "rtl/DateTime.h"
#include "rtl/NumberFormat.h"
#include "ui/DateTimePicker.h"
#include "ui/Label.h"

namespace {

// Larger values are taken as carrying only a time of day worth showing.
constexpr double LargestDateValue = 100000000000000.0;

int IntegerOf(const TkComponentEditorEdit* Edit)
{
    return ClampToInt(double(Edit->GetInteger()));
}

}  // namespace

TkValueConverterEditForm::TkValueConverterEditForm(TComponent* AOwner) : TkCustomEditorForm(AOwner)
{
    SetName("ValueConverterEditForm");
    SetText("Value Converter");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(300);
    SetClientHeight(262);

    PageControl = new TkComponentEditorPageControl(this);
    PageControl->SetName("PageControl");
    PageControl->SetParent(this);
    PageControl->SetBounds(8, 8, 284, 192);
    auto sheet = [this](const char* Name, const char* Caption) {
        auto* page = new TTabSheet(this);
        page->SetName(Name);
        page->SetPageControl(PageControl);
        page->SetText(Caption);
        return page;
    };
    IntervalTabSheet = sheet("IntervalTabSheet", "Interval");
    DateTimeTabSheet = sheet("DateTimeTabSheet", "Date/Time");
    Price32TabSheet = sheet("Price32TabSheet", "Price 32nds");
    BuildIntervalPage();
    BuildDateTimePage();
    BuildPricePage();

    TkEditorPageBuilder bottom(this, this, 8, 48, 204);
    ValueEdit = bottom.Edit("ValueEdit", "Value", 244);
    ValueEdit->SetFloat(0);
    OKButton = bottom.Button("OKButton", "OK", 136, 232);
    OKButton->SetModalResult(mrOk);
    OKButton->SetDefault(true);
    CancelButton = bottom.Button("CancelButton", "Cancel", 217, 232);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
    PageControl->SetActivePageIndex(0);
}

void TkValueConverterEditForm::BuildIntervalPage()
{
    TkEditorPageBuilder page(this, IntervalTabSheet, 8, 72, 6, 26);
    page.NumberEdits({
        {&WeeksEdit, "WeeksEdit", "Weeks", 0},
        {&DaysEdit, "DaysEdit", "Days", 0},
        {&HoursEdit, "HoursEdit", "Hours", 23},
        {&MinutesEdit, "MinutesEdit", "Minutes", 59},
        {&SecondsEdit, "SecondsEdit", "Seconds", 59},
        {&MilliSecondsEdit, "MilliSecondsEdit", "mSec", 999, 100},
    });
    SetAllToZeroButton = page.Button("SetAllToZeroButton", "Set All To 0", 168, 6, 90);
    SetAllToZeroButton->OnClick = [this](TObject*) { SetValue(0); };
    WeeksEdit->OnUpdate = [this](TObject*) { WeeksChange(); };
    for (TkComponentEditorEdit* e : {DaysEdit, HoursEdit, MinutesEdit, SecondsEdit, MilliSecondsEdit})
        e->OnUpdate = [this](TObject*) { TimeChange(); };
}

void TkValueConverterEditForm::BuildDateTimePage()
{
    TkEditorPageBuilder page(this, DateTimeTabSheet);
    auto picker = [this, &page](const char* Name, const char* Caption, int Top, TDateTimeKind Kind) {
        TLabel* label = page.Label(Caption, 8, Top);
        auto* p = new TDateTimePicker(this);
        p->SetName(Name);
        p->SetParent(DateTimeTabSheet);
        p->SetKind(Kind);
        p->SetBounds(label->GetLeft() + label->GetWidth() + 5, label->GetTop() - 3, 137, 21);
        p->OnChange = [this](TObject*) { DateTimePickerChange(); };
        return p;
    };
    DatePicker = picker("DatePicker", "Date", 14, dtkDate);
    TimePicker = picker("TimePicker", "Time", 46, dtkTime);
    SetNowButton = page.Button("SetNowButton", "Now", 8, 80);
    SetNowButton->OnClick = [this](TObject*) { SetValue(Now()); };
}

void TkValueConverterEditForm::BuildPricePage()
{
    TkEditorPageBuilder page(this, Price32TabSheet);
    page.NumberEdits({
        {&PriceIntegerEdit, "PriceIntegerEdit", "Integer", 10000},
        {&Price32ndsEdit, "Price32ndsEdit", "32nds", 31},
        {&Price256thsEdit, "Price256thsEdit", "256ths", 7},
    });
    for (TkComponentEditorEdit* e : {PriceIntegerEdit, Price32ndsEdit, Price256thsEdit})
        e->OnUpdate = [this](TObject*) { Price32Change(); };
}

void TkValueConverterEditForm::ShowPage(TkValueConverterPageType Page)
{
    PageControl->SetActivePageIndex(int(Page));
}

double TkValueConverterEditForm::GetValue() const
{
    return ValueEdit->GetFloat();
}

void TkValueConverterEditForm::SetValue(double Value)
{
    const double t = Value > LargestDateValue ? Value - std::trunc(Value) : Value;
    const double days = std::trunc(t);
    ValueEdit->SetFloat(Value);

    // A date before year 1 or after 9999 (or no number at all) has no
    // picture on the date page: the page is closed rather than wrong.
    const bool datable = TDateTimePicker::CanShow(t);
    DateTimeTabSheet->SetEnabled(datable);
    if (datable) {
        DatePicker->SetDateTime(days);
        TimePicker->SetDateTime(t - days);
    }

    DaysEdit->SetInteger(Trunc(t));
    WeeksEdit->SetInteger(Trunc(t) / 7);
    int hour = 0, minute = 0, second = 0, msec = 0;
    if (std::isfinite(t))
        DecodeTime(t, hour, minute, second, msec);
    HoursEdit->SetInteger(hour);
    MinutesEdit->SetInteger(minute);
    SecondsEdit->SetInteger(second);
    MilliSecondsEdit->SetInteger(msec);

    const double fraction = std::isfinite(Value) ? Value - std::trunc(Value) : 0.0;
    PriceIntegerEdit->SetInteger(Trunc(Value));
    Price32ndsEdit->SetInteger(Trunc(fraction / 0.03125));
    const double n = double(Price32ndsEdit->GetInteger());
    Price256thsEdit->SetInteger(Trunc((fraction - n / 32) / 0.00390625));
}

bool TkValueConverterEditForm::IntervalTime(double& Time) const
{
    return TryEncodeTime(IntegerOf(HoursEdit), IntegerOf(MinutesEdit), IntegerOf(SecondsEdit),
                         IntegerOf(MilliSecondsEdit), Time);
}

void TkValueConverterEditForm::TimeChange()
{
    double time = 0;
    // Hours over 23 and the like stand for no time of day: the pages show
    // the value they had again.
    if (!IntervalTime(time))
        return SetValue(GetValue());
    SetValue(double(DaysEdit->GetInteger()) + time);
}

void TkValueConverterEditForm::WeeksChange()
{
    double time = 0;
    if (!IntervalTime(time))
        return SetValue(GetValue());
    SetValue(double(WeeksEdit->GetInteger()) * 7 + time);
}

void TkValueConverterEditForm::DateTimePickerChange()
{
    const double date = DatePicker->GetDateTime();
    const double time = TimePicker->GetDateTime();
    SetValue(std::trunc(date) + (time - std::trunc(time)));
}

void TkValueConverterEditForm::Price32Change()
{
    ValueEdit->SetFloat(double(PriceIntegerEdit->GetInteger()) + double(Price32ndsEdit->GetInteger()) / 32 +
                        double(Price256thsEdit->GetInteger()) / 256);
}
