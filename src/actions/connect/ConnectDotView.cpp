#include "actions/connect/ConnectDotView.h"

#include "actions/connect/ConnectActionViewController.h"
#include "shared/App.h"

ConnectDotView::ConnectDotView(foundation::Rect frame)
    : DotView(frame), connectDotColor(App::baseColor()) {}

void ConnectDotView::didCreate() {
  DotView::didCreate();
  auto self = sharedAs<ConnectDotView>();
  addTarget(self, &ConnectDotView::highlight, ui::ControlEvent::TouchDown);
  addTarget(self, &ConnectDotView::pressed, ui::ControlEvent::TouchUpInside);
  addTarget(self, &ConnectDotView::reset,
            ui::ControlEvent::TouchUpOutside | ui::ControlEvent::TouchCancel);
}

void ConnectDotView::highlight(const Sender&) {
  hold();
}

void ConnectDotView::pressed(const Sender& sender) {
  auto screen = std::dynamic_pointer_cast<ConnectActionViewController>(representedObject.lock());
  if (dotNumber && screen) screen->connectPoint(*dotNumber);
  reset(sender);
}

void ConnectDotView::reset(const Sender&) {
  release(connectDotColor);
}
