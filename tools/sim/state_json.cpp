#include "tools/sim/state_json.h"

#include "app/Unit1.h"
#include "app/form_inspector.h"

namespace {

const char* WindowStateName(TWindowState state) {
  switch (state) {
    case TWindowState::wsMinimized:
      return "wsMinimized";
    case TWindowState::wsMaximized:
      return "wsMaximized";
    case TWindowState::wsNormal:
      break;
  }
  return "wsNormal";
}

JsonObject FormJson(const TForm1& form) {
  JsonObject icons;
  icons.Add("biSystemMenu", form.BorderIcons.biSystemMenu)
      .Add("biMinimize", form.BorderIcons.biMinimize)
      .Add("biMaximize", form.BorderIcons.biMaximize);
  JsonObject json;
  json.Add("caption", AnsiToUtf8(form.Caption))
      .Add("left", form.Left)
      .Add("top", form.Top)
      .Add("width", form.Width())
      .Add("height", form.Height())
      .Add("clientWidth", form.ClientWidth)
      .Add("clientHeight", form.ClientHeight)
      .Add("visible", form.Visible)
      .Add("windowState", WindowStateName(form.WindowState))
      .Add("borderIcons", icons);
  return json;
}

JsonObject ControlJson(const TControl& control) {
  JsonObject json;
  json.Add("visible", control.Visible)
      .Add("enabled", control.Enabled)
      .Add("left", control.Left)
      .Add("top", control.Top)
      .Add("width", control.Width)
      .Add("height", control.Height);
  if (const auto* edit = dynamic_cast<const TsEdit*>(&control)) {
    json.Add("text", AnsiToUtf8(edit->Text));
  } else if (const auto* label = dynamic_cast<const TsLabel*>(&control)) {
    json.Add("caption", AnsiToUtf8(label->Caption));
  } else if (const auto* box = dynamic_cast<const TsCheckBox*>(&control)) {
    json.Add("caption", AnsiToUtf8(box->Caption)).Add("checked", box->Checked);
  } else if (const auto* button = dynamic_cast<const TsBitBtn*>(&control)) {
    json.Add("caption", AnsiToUtf8(button->Caption));
  }
  return json;
}

JsonObject ControlsJson(const TForm1& form) {
  JsonObject json;
  for (const TComponent* component : form.Components()) {
    const auto* control = dynamic_cast<const TControl*>(component);
    if (control && !control->Name.IsEmpty()) json.Add(AnsiToUtf8(control->Name), ControlJson(*control));
  }
  return json;
}

JsonObject FieldsJson(TForm1& form) {
  const FormInspector fields(form);
  JsonObject json;
  json.Add("FVersion", AnsiToUtf8(fields.FVersion()))
      .Add("FNonce", AnsiToUtf8(fields.FNonce()))
      .Add("FSavedUserId", AnsiToUtf8(fields.FSavedUserId()))
      .Add("FSavedPassword", AnsiToUtf8(fields.FSavedPassword()))
      .Add("FAutoRun", AnsiToUtf8(fields.FAutoRun()))
      .Add("FCloseMode", fields.FCloseMode())
      .Add("FActiveObject", fields.FActiveObject() != nullptr);
  return json;
}

JsonObject TimerJson(const TTimer& timer) {
  JsonObject json;
  json.Add("enabled", timer.Enabled()).Add("interval", timer.Interval());
  return json;
}

JsonObject TrayJson(const TTrayIcon& tray) {
  JsonObject json;
  json.Add("visible", tray.Visible())
      .Add("hide", tray.Hide())
      .Add("iconIndex", tray.IconIndex())
      .Add("animate", tray.GetAnimate());
  return json;
}

}  // namespace

JsonObject StateJson(TForm1& form) {
  TApplication& application = form.App();
  JsonObject timers;
  timers.Add("Timer1", TimerJson(*form.Timer1)).Add("Timer2", TimerJson(*form.Timer2));
  JsonObject app;
  app.Add("minimized", application.Minimized()).Add("windowVisible", application.WindowVisible());
  JsonObject state;
  state.Add("event", "state")
      .Add("form", FormJson(form))
      .Add("controls", ControlsJson(form))
      .Add("fields", FieldsJson(form))
      .Add("stage", form.CppWebBrowser1->Tag)
      .Add("timers", timers)
      .Add("tray", TrayJson(*form.TrayIcon1))
      .Add("application", app);
  return state;
}
