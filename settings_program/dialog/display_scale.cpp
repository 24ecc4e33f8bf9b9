#include "dialog/display_scale.h"

#include <cmath>

namespace {

double Ratio(int now, int at100)
{
    return now > 0 && at100 > 0 ? static_cast<double>(now) / at100 : 1.0;
}

}  // namespace

DisplayScale DisplayScaleFromFont(int widthNow, int heightNow, int widthAt100, int heightAt100)
{
    DisplayScale scale;
    scale.across = Ratio(widthNow, widthAt100);
    scale.down = Ratio(heightNow, heightAt100);
    return scale;
}

int ScaledPictureSize(int sizeAt100, const DisplayScale& scale)
{
    const long size = std::lround(sizeAt100 * scale.down);
    return size < 1 ? 1 : static_cast<int>(size);
}
