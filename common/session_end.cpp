#include "common/session_end.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <utility>

#include "common/event_guard.h"

namespace veltrano {

#ifndef QT_NO_SESSIONMANAGER
namespace {

class QtSessionEnd : public SessionEnd {
 public:
  explicit QtSessionEnd(QSessionManager& manager) : manager_(manager) {}
  bool allowsInteraction() override { return manager_.allowsInteraction(); }
  void cancel() override { manager_.cancel(); }
  void release() override { manager_.release(); }

 private:
  QSessionManager& manager_;
};

}  // namespace
#endif

void onSessionEnd(QObject* context, std::function<void(SessionEnd&)> answer) {
#ifndef QT_NO_SESSIONMANAGER
  auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!application) return;
  QObject::connect(application, &QGuiApplication::commitDataRequest, context,
                   guarded([answer = std::move(answer)](QSessionManager& manager) {
                     QtSessionEnd session(manager);
                     answer(session);
                   }));
#else
  (void)context;
  (void)answer;
#endif
}

}  // namespace veltrano
