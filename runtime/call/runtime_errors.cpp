#include "runtime/call/runtime_errors.h"

#include <iterator>

namespace barvell::runtime {

namespace {
constexpr const char* kRuntimeErrorTexts[] = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};
}  // namespace

const char* RuntimeErrorText(int32_t error) {
  if (error < 1 || error > int32_t(std::size(kRuntimeErrorTexts))) return nullptr;
  return kRuntimeErrorTexts[error - 1];
}

}  // namespace barvell::runtime
