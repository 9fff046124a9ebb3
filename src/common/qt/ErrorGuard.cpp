#include "common/qt/ErrorGuard.h"

#include <exception>

#include "common/Error.h"
#include "common/qt/QtText.h"

namespace quillcast {

bool Guarded(Prompts& prompts, const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const QuillError& error) {
    prompts.ShowError(Q(error.what()));
  } catch (const std::bad_alloc&) {
    prompts.ShowError("Out of memory");
  } catch (const std::exception& error) {
    prompts.ShowError(Q(error.what()));
  }
  return false;
}

}  // namespace quillcast
