#pragma once

// The kind of a message box: it decides the icon and the title.
enum class TMsgKind {
  Error,
  Warning,
  Info,
  Confirmation,  // a question asked with a set of buttons
};
