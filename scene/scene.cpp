#include "scene.h"

#include "geometry/records.h"

#include <list>

// Defined together so that they are built in this order and torn down in reverse.
Point sceneMin = kSceneMinStart;
Point sceneMax = kSceneMaxStart;
std::list<Point> pointList;
std::list<Segment> segmentList;
std::list<Line> lineList;

namespace {

// The negated tests let a NaN coordinate become the minimum and let a NaN minimum be
// replaced by the next value, while a maximum never becomes NaN.
void widenMin(float& bound, float value)
{
    if (!(value >= bound)) {
        bound = value;
    }
}

void widenMax(float& bound, float value)
{
    if (value > bound) {
        bound = value;
    }
}

void widenBounds(const Point& p)
{
    widenMin(sceneMin.x, p.x);
    widenMin(sceneMin.y, p.y);
    widenMin(sceneMin.z, p.z);
    widenMax(sceneMax.x, p.x);
    widenMax(sceneMax.y, p.y);
    widenMax(sceneMax.z, p.z);
}

} // namespace

void addPoint(Point point, Color color)
{
    point.color = color;
    pointList.push_back(point);
    widenBounds(point);
}

void addSegment(Segment segment, Color color)
{
    segment.color = color;
    segmentList.push_back(segment);
    widenBounds(segment.first);
    widenBounds(segment.second);
}
