#pragma once
// A date or time picker over one date-time value.
#include "rtl/DateTime.h"
#include "ui/Control.h"

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTimeKind GetKind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    // The date (kind date: whole days) or the time of day (kind time: the
    // fraction) the picker shows, the other part as it was set. Setting
    // it from code fires nothing.
    TDateTime GetDateTime() const { return FDateTime; }
    void SetDateTime(TDateTime Value);

    // Years 1 to 9999, the range a picker can show.
    static bool CanShow(TDateTime Value);

    // A user's change.
    TNotifyEvent OnChange;

private:
    void Show();
    void UserChanged();

    TDateTimeKind FKind = dtkDate;
    TDateTime FDateTime = 0;
    bool FSetting = false;
};
