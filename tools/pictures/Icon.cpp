// The game's desktop icon: the lime disc in flight over the night arena,
// framed in the two players' colours. Drawn at each size from the shapes
// themselves, so the small icons stay sharp.
#include "Artwork.h"
#include "Palette.h"
#include "Pictures.h"

using namespace palette;

void drawIcon(Canvas& canvas)
{
    const float s = static_cast<float>(canvas.width());
    const float margin = s * 0.03f;
    const float rim = s * 0.07f;
    const Shape tile = roundedRect(margin, margin, s - margin, s - margin, s * 0.2f);
    canvas.fill(tile, linearGradient(0, margin, NAVY, 0, s - margin, NIGHT));
    // Player 1's orange on the left, player 2's cyan on the right.
    const Shape frame = subtract(tile, roundedRect(margin + rim, margin + rim, s - margin - rim,
                                                   s - margin - rim, s * 0.2f - rim));
    canvas.fill(frame, linearGradient(margin, 0, P1, s - margin, 0, P2));
    canvas.fill(segment(s * 0.5f, margin + rim, s * 0.5f, s - margin - rim, s * 0.012f),
                withAlpha(WHITE, 0.35f));
    drawDisc(canvas, s * 0.52f, s * 0.5f, s * 0.3f, s * 0.1f);
}
