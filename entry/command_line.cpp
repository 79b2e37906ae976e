#include "entry/command_line.h"

#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "entry/setting_names.h"

namespace barvell::entry {

namespace {

constexpr const char* kSubcommands[] = {"ean13", "product", "code39", "batch-ean13",
                                        "batch-code39", "script"};

// As a dialog returns it: absolute, without "." or ".." parts or a trailing separator.
std::string Absolute(const std::string& path, const std::string& base) {
  if (path.empty()) return path;
  std::filesystem::path p(path);
  if (p.is_relative() && !base.empty()) p = std::filesystem::path(base) / p;
  std::string normal = p.lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

Action Do(std::string verb, std::initializer_list<std::string> args) {
  return Action{std::move(verb), std::vector<std::string>(args), 0};
}

// The operand count each subcommand takes.
std::optional<size_t> OperandCount(const std::string& subcommand) {
  if (subcommand == "ean13") return 2;
  if (subcommand == "product" || subcommand == "code39" || subcommand == "script") return 1;
  if (subcommand == "batch-ean13" || subcommand == "batch-code39") return 0;
  return std::nullopt;
}

}  // namespace

std::variant<Job, UsageError> ParseCommandLine(const std::vector<std::string>& args,
                                               const std::string& start_directory) {
  Job job;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](const char* option) -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      (void)option;
      return args[++i];
    };
    auto missing = [&](const std::string& option) {
      return UsageError{"option " + option + " needs a value"};
    };
    if (a == "--help" || a == "-h") {
      job.help = true;
    } else if (a == "--version") {
      job.version = true;
    } else if (a == "--save-settings") {
      job.save_settings = true;
    } else if (a == "-o" || a == "--output" || a == "--dir" || a == "--list" || a == "--fixed" ||
               a == "--start" || a == "--end" || a == "--step" || a == "--formula" ||
               a == "--set") {
      std::optional<std::string> v = value(a.c_str());
      if (!v) return missing(a);
      if (a == "-o" || a == "--output") job.output = Absolute(*v, start_directory);
      if (a == "--dir") job.dir = Absolute(*v, start_directory);
      if (a == "--list") job.list = Absolute(*v, start_directory);
      if (a == "--fixed") job.fixed = *v;
      if (a == "--start") job.start = *v;
      if (a == "--end") job.end = *v;
      if (a == "--step") job.step = *v;
      if (a == "--formula") {
        job.formula = *v;
        job.has_formula = true;
      }
      if (a == "--set") {
        size_t eq = v->find('=');
        if (eq == std::string::npos || eq == 0)
          return UsageError{"--set takes NAME=VALUE, not \"" + *v + "\""};
        job.settings.emplace_back(v->substr(0, eq), v->substr(eq + 1));
      }
    } else if (a.size() > 1 && a.front() == '-' && job.operands.empty() &&
               !(job.subcommand == "ean13" || job.subcommand == "product" ||
                 job.subcommand == "code39")) {
      return UsageError{"unknown option " + a};
    } else if (job.subcommand.empty()) {
      if (!OperandCount(a)) return UsageError{"unknown subcommand \"" + a + "\""};
      job.subcommand = a;
    } else {
      job.operands.push_back(a);
    }
  }
  if (job.help || job.version) return job;
  if (job.subcommand.empty()) return UsageError{"no subcommand given"};
  if (job.operands.size() != *OperandCount(job.subcommand))
    return UsageError{job.subcommand + " takes " + std::to_string(*OperandCount(job.subcommand)) +
                      " operand(s)"};
  const std::string& s = job.subcommand;
  if ((s == "ean13" || s == "product" || s == "code39") && job.output.empty())
    return UsageError{s + " needs -o FILE"};
  if (s.starts_with("batch-")) {
    if (job.dir.empty()) return UsageError{s + " needs --dir DIR"};
    if (job.list.empty()) {
      if (s == "batch-ean13" && (job.fixed.empty() || job.start.empty() || job.end.empty()))
        return UsageError{"batch-ean13 needs --fixed, --start and --end (or --list FILE)"};
      if (s == "batch-code39" && (job.start.empty() || job.end.empty() || job.step.empty()))
        return UsageError{"batch-code39 needs --start, --end and --step (or --list FILE)"};
    }
  } else if (!job.list.empty() || !job.dir.empty()) {
    return UsageError{"--dir and --list belong to the batch subcommands"};
  }
  if (s == "script") job.operands[0] = Absolute(job.operands[0], start_directory);
  // Settings are checked here, so that a bad one writes nothing.
  std::variant<Script, UsageError> settings = SettingActions(job);
  if (auto* e = std::get_if<UsageError>(&settings)) return *e;
  return job;
}

std::variant<Script, UsageError> SettingActions(const Job& job) {
  Script script;
  if (job.settings.empty()) return script;
  script.push_back(Do("window", {"Barvell"}));
  for (const auto& [name, value] : job.settings) {
    const SettingName* s = FindSetting(name);
    if (s == nullptr) return UsageError{"unknown setting \"" + name + "\""};
    switch (s->kind) {
      case SettingKind::kText:
        script.push_back(Do("paste", {s->control, value}));
        break;
      case SettingKind::kColour:
        if (!ParseColour(value))
          return UsageError{"setting " + name + ": \"" + value + "\" is not #RRGGBB or a decimal colour"};
        script.push_back(Do("colour", {s->control, value}));
        break;
      case SettingKind::kFormat:
        if (!ParseFormat(value))
          return UsageError{"setting " + name + ": \"" + value + "\" is not PNG, JPG or BMP"};
        script.push_back(Do("choose", {s->control, std::to_string(*ParseFormat(value))}));
        break;
    }
  }
  script.push_back(Do("click", {"按钮5"}));  // 刷新
  return script;
}

std::variant<Script, UsageError> ScriptOfJob(const Job& job,
                                             const std::vector<std::string>& list_lines) {
  std::variant<Script, UsageError> settings = SettingActions(job);
  if (auto* e = std::get_if<UsageError>(&settings)) return *e;
  Script script = std::get<Script>(settings);
  const std::string& s = job.subcommand;
  script.push_back(Do("window", {"Barvell"}));
  auto save_to = [&](const std::string& file) {
    script.push_back(Do("answer-save", {file}));
    script.push_back(Do("click", {"按钮3"}));  // 保存图片
  };
  if (s == "ean13") {
    script.push_back(Do("type", {"编辑框1", job.operands[0]}));
    script.push_back(Do("type", {"编辑框2", job.operands[1]}));
    script.push_back(Do("click", {"按钮4"}));  // 计算编码
    script.push_back(Do("click", {"按钮1"}));  // 生成图片 of the full code
    save_to(job.output);
  } else if (s == "product") {
    script.push_back(Do("type", {"编辑框4", job.operands[0]}));
    script.push_back(Do("click", {"按钮2"}));
    save_to(job.output);
  } else if (s == "code39") {
    script.push_back(Do("type", {"编辑框7", job.operands[0]}));
    script.push_back(Do("click", {"按钮6"}));
    // An empty text is refused by the program itself; nothing is then saved.
    if (!job.operands[0].empty()) save_to(job.output);
  } else if (s == "batch-ean13" || s == "batch-code39") {
    bool ean = s == "batch-ean13";
    script.push_back(Do("click", {ean ? "按钮7" : "按钮8"}));  // 批量生成: the modal window
    script.push_back(Do("window", {ean ? "商品编码" : "CODE39批量编码"}));
    if (!job.list.empty()) {
      std::string text;
      for (const std::string& line : list_lines) text += line + "\r\n";
      script.push_back(Do("paste", {"编辑框4", text}));
    } else if (ean) {
      script.push_back(Do("type", {"编辑框1", job.fixed}));
      script.push_back(Do("type", {"编辑框2", job.start}));
      script.push_back(Do("type", {"编辑框3", job.end}));
      script.push_back(Do("click", {"按钮1"}));  // 计算编码
    } else {
      if (job.has_formula) script.push_back(Do("paste", {"编辑框6", job.formula}));
      script.push_back(Do("paste", {"编辑框1", job.start}));
      script.push_back(Do("paste", {"编辑框2", job.end}));
      script.push_back(Do("paste", {"编辑框3", job.step}));
      script.push_back(Do("click", {"按钮1"}));  // 生成编码信息
    }
    script.push_back(Do("answer-folder", {job.dir}));
    script.push_back(Do("click", {"按钮3"}));  // ..
    script.push_back(Do("batch-progress", {job.dir, ean ? "ean13" : "code39"}));
    script.push_back(Do("click", {"按钮2"}));  // 批量生成
    script.push_back(Do("close", {}));
  }
  script.push_back(Do("window", {"Barvell"}));
  script.push_back(Do("close", {}));
  return script;
}

const char* VersionText() { return "barvell 1.0\n"; }

const char* HelpText() {
  return
      "用法 / usage:\n"
      "  barvell                                   打开桌面程序 / open the desktop program\n"
      "  barvell ean13 FIXED SELF -o FILE          计算编码、生成图片、保存 / complete, draw, save\n"
      "  barvell product CODE -o FILE              按商品编码生成 / draw a 13-digit product code\n"
      "  barvell code39 TEXT -o FILE               生成 CODE39 条码 / draw TEXT as Code 39\n"
      "  barvell batch-ean13 --fixed F --start S --end E --dir D\n"
      "                                            批量生成商品条码 / a range of EAN-13 codes\n"
      "  barvell batch-code39 [--formula F] --start S --end E --step N --dir D\n"
      "                                            批量生成 CODE39 条码 / a Code 39 series\n"
      "      (批量: --list FILE 把文件的各行粘贴为编码列表 / paste FILE's lines as the code list)\n"
      "  barvell script FILE                       执行输入脚本 / run a file of input actions\n"
      "\n"
      "选项 / options:\n"
      "  --set NAME=VALUE   设置主窗口参数，可重复 / a main-window setting, repeatable:\n"
      "      输出宽度 width, 输出高度 height, 打印分辨率 dpi, 线条粗细 line-width,\n"
      "      条码高度 bar-height, 标识符加长 guard-extension, 字体大小 font-size,\n"
      "      顶部边距 top-margin, 左边边距 left-margin (毫米/mm, dpi: 文本 text);\n"
      "      背景颜色 background, 线条颜色 bar-colour, 字体颜色 text-colour (#RRGGBB 或十进制);\n"
      "      保存格式 format (PNG, JPG, BMP)\n"
      "  --save-settings    保留设置到 boot.ini / keep the settings in boot.ini (default: unchanged)\n"
      "  --help, --version\n"
      "\n"
      "例 / examples:\n"
      "  barvell ean13 690123 456789 -o code.png\n"
      "  barvell product 6901234567892 --set dpi=600 -o big.png\n"
      "  barvell code39 AB-12 --set 保存格式=JPG -o ab.jpg\n"
      "  barvell batch-ean13 --fixed 690123456 --start 001 --end 120 --dir out\n"
      "  barvell batch-code39 --formula 'AT?n3?' --start 1 --end 500 --step 1 --dir out\n"
      "\n"
      "退出码 / exit status: 0 成功 ok, 1 程序报错 the program showed an error, 2 用法错误 usage\n";
}

}  // namespace barvell::entry
