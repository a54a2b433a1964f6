#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <vector>

#include "platform/graphics/BezierPath.h"
#include "platform/graphics/Color.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/View.h"

using foundation::Rect;
using graphics::Color;

namespace {

constexpr std::uint32_t kRed = 0xffff0000u;
constexpr std::uint32_t kBlue = 0xff0000ffu;
constexpr std::uint32_t kBlack = 0xff000000u;

TEST(CompositorSnapshotTest, PaintsTheViewFromItsOwnCornerWithBackgroundAndSubviews) {
  auto parent = foundation::create<ui::View>(Rect{0, 0, 200, 200});
  parent->setBackgroundColor(Color::white());
  auto view = foundation::create<ui::View>(Rect{50, 40, 40, 30});
  view->setBackgroundColor(Color::fromRGB(1, 0, 0));
  auto child = foundation::create<ui::View>(Rect{10, 10, 10, 10});
  child->setBackgroundColor(Color::fromRGB(0, 0, 1));
  parent->addSubview(view);
  view->addSubview(child);

  auto image = ui::Compositor::snapshot(*view, 2);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixelWidth(), 80);
  EXPECT_EQ(image->pixelHeight(), 60);
  EXPECT_EQ(image->scale(), 2);
  EXPECT_EQ(image->pixel(0, 0), kRed) << "the view's own corner, not its parent's";
  EXPECT_EQ(image->pixel(79, 59), kRed);
  EXPECT_EQ(image->pixel(25, 25), kBlue);
  EXPECT_EQ(image->pixel(41, 41), kRed);
}

TEST(CompositorSnapshotTest, APartStartsAtThePartsCorner) {
  auto parent = foundation::create<ui::View>(Rect{0, 0, 200, 200});
  auto view = foundation::create<ui::View>(Rect{50, 40, 40, 30});
  view->setBackgroundColor(Color::fromRGB(1, 0, 0));
  auto child = foundation::create<ui::View>(Rect{10, 10, 10, 10});
  child->setBackgroundColor(Color::fromRGB(0, 0, 1));
  parent->addSubview(view);
  view->addSubview(child);

  auto image = ui::Compositor::snapshot(*view, 2, Rect{15, 5, 20, 10});
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixelWidth(), 40);
  EXPECT_EQ(image->pixelHeight(), 20);
  EXPECT_EQ(image->pixel(0, 0), kRed);
  EXPECT_EQ(image->pixel(0, 10), kBlue) << "the child at (10, 10) covers (15, 10)";
  EXPECT_EQ(image->pixel(9, 19), kBlue);
  EXPECT_EQ(image->pixel(10, 10), kRed);
}

TEST(CompositorSnapshotTest, IsOpaqueWhereNothingCoversTheView) {
  auto view = foundation::create<ui::View>(Rect{0, 0, 20, 20});
  auto child = foundation::create<ui::View>(Rect{0, 0, 5, 5});
  child->setBackgroundColor(Color::fromRGB(1, 0, 0, 0.0));
  view->addSubview(child);
  auto image = ui::Compositor::snapshot(*view, 1);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixel(2, 2), kBlack);
  EXPECT_EQ(image->pixel(15, 15), kBlack);
}

TEST(CompositorSnapshotTest, AnEmptyViewHasNoSnapshot) {
  auto view = foundation::create<ui::View>(Rect{10, 10, 0, 20});
  EXPECT_FALSE(ui::Compositor::snapshot(*view, 1));
  auto sized = foundation::create<ui::View>(Rect{0, 0, 10, 10});
  EXPECT_FALSE(ui::Compositor::snapshot(*sized, 0));
}

// Draws red all over, counting how often it is asked to.
class Counted : public ui::View {
 public:
  explicit Counted(Rect frame) : View(frame) { setDrawsContent(true); }
  int draws = 0;
  void draw(Rect) override {
    ++draws;
    Color::fromRGB(1, 0, 0).setFill();
    graphics::BezierPath::withRect(bounds()).fill();
  }
};

// What an opaque view covers whole is never painted: not drawn, not blended.
// A translucent, rounded or partial cover leaves it painted, and what lies
// above the cover is painted over it.
TEST(CompositorPaintTest, NothingBeneathAnOpaqueCoverIsPainted) {
  auto root = foundation::create<ui::View>(Rect{0, 0, 100, 100});
  auto beneath = foundation::create<Counted>(Rect{0, 0, 100, 100});
  auto cover = foundation::create<ui::View>(Rect{0, 0, 60, 100});
  cover->setBackgroundColor(Color::fromRGB(0, 0, 1));
  auto above = foundation::create<ui::View>(Rect{0, 0, 20, 20});
  above->setBackgroundColor(Color::fromRGB(0, 1, 0, 0.5));
  root->addSubview(beneath);
  root->addSubview(cover);
  cover->addSubview(above);
  auto* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 100);
  auto pixel = [&](int x, int y) {
    cairo_surface_flush(surface);
    auto* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x] | 0xff000000u;
  };

  ui::Compositor::paint(*root, surface, 1, {Rect{0, 0, 50, 50}});
  EXPECT_EQ(beneath->draws, 0) << "wholly covered";
  EXPECT_EQ(pixel(30, 30), kBlue);
  EXPECT_EQ(pixel(10, 10), 0xff00807fu) << "half green over the cover";

  ui::Compositor::paint(*root, surface, 1, {Rect{40, 40, 40, 40}});
  EXPECT_EQ(beneath->draws, 1) << "the cover holds only part of the damage";
  EXPECT_EQ(pixel(70, 70), kRed);
  EXPECT_EQ(pixel(50, 50), kBlue);

  struct Veil {
    void (*change)(ui::View&);
    std::uint32_t corner;  // at (0, 0) afterwards
  };
  for (auto veilKind : {Veil{[](ui::View& v) { v.setAlpha(0.5); }, 0xff7f0080u},
                        Veil{[](ui::View& v) { v.setCornerRadius(8); }, kRed}}) {
    auto fresh = foundation::create<Counted>(Rect{0, 0, 100, 100});
    auto veil = foundation::create<ui::View>(Rect{0, 0, 100, 100});
    veil->setBackgroundColor(Color::fromRGB(0, 0, 1));
    veilKind.change(*veil);
    auto tree = foundation::create<ui::View>(Rect{0, 0, 100, 100});
    tree->addSubview(fresh);
    tree->addSubview(veil);
    ui::Compositor::paint(*tree, surface, 1, {Rect{0, 0, 100, 100}});
    EXPECT_EQ(fresh->draws, 1) << "a translucent or rounded view hides nothing whole";
    EXPECT_EQ(pixel(0, 0), veilKind.corner) << "what lies beneath shows through";
  }
  cairo_surface_destroy(surface);
}

// A diagonal stroke and a disc, drawn either into a backing store or straight
// into the frame; only inside its content rectangle.
class Sketch : public ui::View {
 public:
  Sketch(Rect frame, bool direct) : View(frame) {
    if (direct) {
      setDrawsDirectly(true);
    } else {
      setDrawsContent(true);
    }
    setContentRect(Rect{4, 4, frame.width() - 8, frame.height() - 8});
  }
  void draw(Rect) override {
    graphics::BezierPath line;
    line.moveTo({0, 0});
    line.lineTo({bounds().width(), bounds().height()});
    line.setLineWidth(7.3);
    Color::fromRGB(0.2, 0.6, 0.9, 0.8).setStroke();
    line.stroke();
    Color::fromRGB(0.9, 0.3, 0.1).setFill();
    graphics::BezierPath::withOvalInRect(Rect{5, 30, 31, 23}).fill();
  }
};

// A view that draws straight into the frame shows what its backing store
// would: under and over other views, translucent, hovered, at either scale,
// painted whole or only where it changed.
TEST(CompositorPaintTest, AViewDrawingDirectlyComposesAsACachedOne) {
  struct Tree {
    std::shared_ptr<ui::View> root;
    std::shared_ptr<Sketch> under, over;
  };
  auto build = [](bool direct) {
    Tree t;
    t.root = foundation::create<ui::View>(Rect{0, 0, 120, 100});
    t.root->setBackgroundColor(Color::white());
    auto box = foundation::create<ui::View>(Rect{20, 10, 50, 40});
    box->setBackgroundColor(Color::fromRGB(0, 0.5, 0));
    t.under = foundation::create<Sketch>(Rect{0, 0, 120, 100}, direct);
    t.over = foundation::create<Sketch>(Rect{13, 21, 60, 70}, direct);
    t.over->setAlpha(0.6);
    auto veil = foundation::create<ui::View>(Rect{50, 50, 40, 40});
    veil->setBackgroundColor(Color::fromRGB(0, 0, 1, 0.5));
    t.root->addSubview(t.under);
    t.root->addSubview(box);
    box->addSubview(t.over);
    t.root->addSubview(veil);
    return t;
  };
  for (double scale : {1.0, 2.0}) {
    Tree cached = build(false), direct = build(true);
    auto* a = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 240, 200);
    auto* b = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 240, 200);
    auto expectSame = [&](const char* what) {
      cairo_surface_flush(a);
      cairo_surface_flush(b);
      int stride = cairo_image_surface_get_stride(a);
      int width = static_cast<int>(120 * scale), height = static_cast<int>(100 * scale);
      int differing = 0;
      for (int y = 0; y < height; ++y) {
        auto* ra = cairo_image_surface_get_data(a) + y * stride;
        auto* rb = cairo_image_surface_get_data(b) + y * stride;
        // Cairo rasterises a shape the clip cuts a few steps apart from the
        // same shape whole, at its edges only; a lost hover shade, alpha or
        // offset is far more.
        for (int i = 0; i < width * 4; ++i) differing += std::abs(ra[i] - rb[i]) > 12;
      }
      EXPECT_EQ(differing, 0) << what << " at scale " << scale;
    };
    auto paint = [&](const std::vector<Rect>& damage) {
      ui::Compositor::paint(*cached.root, a, scale, damage);
      ui::Compositor::paint(*direct.root, b, scale, damage);
    };
    paint({Rect{0, 0, 120, 100}});
    expectSame("whole");

    for (Tree* t : {&cached, &direct}) t->over->setHovered(true);
    paint({Rect{13, 21, 60, 70}});
    expectSame("hovered");

    for (Tree* t : {&cached, &direct}) t->under->setNeedsDisplayInRect(Rect{70, 40, 50, 60});
    paint({Rect{70, 40, 50, 60}});
    expectSame("a part");
    cairo_surface_destroy(a);
    cairo_surface_destroy(b);
  }
}

}  // namespace
