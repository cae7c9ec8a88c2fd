#include "camera.h"

#include "geometry/records.h"

CameraCentre cameraCentre(Point min, Point max)
{
    return {static_cast<float>((static_cast<double>(max.x) + min.x) * 0.5),
            static_cast<float>((static_cast<double>(max.y) + min.y) * 0.5)};
}
