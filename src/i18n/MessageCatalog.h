#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "i18n/InputTextRules.h"
#include "i18n/MessageButtons.h"
#include "i18n/MessageList.h"

// Supplies the text and character set of one message number of its range.
using TMsgTextSource = std::function<void(int number, int& charset, std::string& text)>;

// One registered range of message numbers and the source of its texts.
class CTStringObtain {
 public:
  CTStringObtain(TMsgTextSource source, int first, int last)
      : source_(std::move(source)), first_(first), last_(last) {}

  int First() const { return first_; }
  int Last() const { return last_; }  // inclusive
  bool Contains(int number) const { return number >= first_ && number <= last_; }
  void Obtain(int number, int& charset, std::string& text) const { source_(number, charset, text); }

 private:
  TMsgTextSource source_;
  int first_;
  int last_;
};

// What the one-line input dialog gives back: on OK the trimmed text, on Cancel an empty one.
struct LTInputAnswer {
  bool accepted = false;
  std::string text;
};

// The numbered messages and the dialogs that show them.
//
// Messages are looked up in a process-wide registry of number ranges, newest first. The range
// -8..-1 (this class's own messages) is registered when the registry is first used; the program's
// other built-in ranges by RegisterBuiltinMessages(). Texts are CP1251 bytes; each comes with the
// character set the dialog font uses for it.
//
// The dialogs are shown through the current front end (see MessageUi.h).
class TBaseMsg {
 public:
  // The number whose text is the caller's list joined, with the first string's object as the
  // character set.
  static constexpr int kFreeText = -100;

  // -- Catalogue ---------------------------------------------------------------------------------

  // Puts a range at the front of the registry, unless first > last or either bound already lies
  // inside a registered range. Returns whether the range was registered.
  static bool RegisterRange(TMsgTextSource source, int first, int last);

  // The raw text and character set of a message; an unregistered number gives an empty text and
  // character set 0.
  static void GetText(int number, int& charset, std::string& text);
  // The text with its placeholders filled from the list.
  static std::string GetText(int number, const CTMsgList& list);
  static std::string GetText(int number, const CTMsgList& list, int& charset);

  // The registered ranges, newest first; restoring them lets a test undo its registrations.
  static std::vector<CTStringObtain> Ranges();
  static void RestoreRanges(std::vector<CTStringObtain> ranges);
  // Back to the registry as it is when the program starts: only -8..-1.
  static void ResetRanges();

  // -- Message boxes -----------------------------------------------------------------------------

  // A message with an OK button and the error, warning or information icon and title.
  static void ShowError(int number, const CTMsgList& list = {});
  static void ShowWarning(int number, const CTMsgList& list = {});
  static void ShowInfo(int number, const CTMsgList& list = {});

  // A question with the given buttons; returns the answer (TMsgAnswer): closing the window
  // answers Cancel, a value that is no answer gives 0.
  static int Ask(int number, TMsgButtons buttons, const CTMsgList& list = {});

  // Asks for one line of text. The title is the text of `number`, the prompt the text of
  // `promptNumber`, both filled from the list. With numeric typing and validation a refused text
  // shows its message and the dialog stays open.
  static LTInputAnswer InputText(int number, int promptNumber, const std::string& defaultText,
                                 TInputOptions options, const CTMsgList& list = {});

  // Lets the user choose one of the objects that the filter accepts (all of them when there is
  // no filter), each listed by the text function; the first item starts selected. Returns the
  // chosen object, nullptr on Cancel.
  template <class T>
  static T* Choose(int captionNumber, const CTMsgList& captionList,
                   const std::type_identity_t<std::function<std::string(T&)>>& textOf,
                   const std::type_identity_t<std::function<bool(T&)>>& filter,
                   const std::vector<T*>& objects, const CTMsgList& promptList, int promptNumber);

  // The list dialog behind Choose: returns the chosen item's index or -1.
  static int ChooseIndex(int captionNumber, const CTMsgList& captionList,
                         const std::vector<std::string>& items, const CTMsgList& promptList,
                         int promptNumber);
};

template <class T>
T* TBaseMsg::Choose(int captionNumber, const CTMsgList& captionList,
                    const std::type_identity_t<std::function<std::string(T&)>>& textOf,
                    const std::type_identity_t<std::function<bool(T&)>>& filter,
                    const std::vector<T*>& objects, const CTMsgList& promptList, int promptNumber) {
  std::vector<T*> listed;
  std::vector<std::string> items;
  for (T* object : objects) {
    if (object == nullptr || (filter && !filter(*object))) continue;
    listed.push_back(object);
    items.push_back(textOf(*object));
  }
  const int index = ChooseIndex(captionNumber, captionList, items, promptList, promptNumber);
  if (index < 0 || static_cast<std::size_t>(index) >= listed.size()) return nullptr;
  return listed[static_cast<std::size_t>(index)];
}
