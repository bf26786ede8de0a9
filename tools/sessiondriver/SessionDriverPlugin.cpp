// Makes the session driver when the program's Qt application starts; the
// plugin argument names how the session ends.
#include <QGenericPlugin>

#include "SessionDriver.h"

class TSessionDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "sessiondriver.json")

public:
    QObject* create(const QString& Key, const QString& Argument) override
    {
        if (Key.compare(QLatin1String("sessiondriver"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new TSessionDriver(Argument);
    }
};

#include "SessionDriverPlugin.moc"
