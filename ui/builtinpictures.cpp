#include "ui/builtinpictures.h"

// Outside any namespace: Q_INIT_RESOURCE declares the resources' global init function.
static QPixmap Builtin(const char* path)
{
    // The resources live in a static library; the first use registers them.
    static const bool registered = [] {
        Q_INIT_RESOURCE(builtin_pictures);
        return true;
    }();
    (void)registered;
    return QPixmap(path);
}

QPixmap BuiltinMeasurePicture()
{
    return Builtin(":/builtin/Images/small_cycle.png");
}

QPixmap BuiltinChartOverview()
{
    return Builtin(":/builtin/Help/fault0.png");
}
