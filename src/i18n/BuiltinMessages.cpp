#include "i18n/BuiltinMessages.h"

#include <cstddef>
#include <iterator>
#include <span>
#include <vector>

#include "i18n/MessageCatalog.h"
#include "platform/CodePage.h"

namespace {

// The tables are written in UTF-8 here and converted to CP1251 once, at first use.
// clang-format off
// Texts of the messages -1 .. -8, in that order (item -n-1 holds message n).
constexpr const char* kBaseMsgTexts[] = {
    "Файл $1 не найден",  // -1
    "Невозможно открыть файл $1",  // -2
    "Невозможно создать файл $1",  // -3
    "Только для чтения",  // -4
    "Файл изменён. Сохранить изменения?",  // -5
    "$1 неверное целое число",  // -6
    "$1 неверное неотрицательное число",  // -7
    "$1 неверное положительное число",  // -8
};

// Texts of the messages 0 .. 6.
constexpr const char* kGeneralTexts[] = {
    "   ",  // 0
    "Выполнено в $1 с помощью QRN Solvo V$2 - база данных $3",  // 1
    "QRN Solvo Выбор",  // 2
    "Проект выполнен с помощью другой версии программы QRN Solvo",  // 3
    "Программа QRN Solvo успешно деинсталлирована",  // 4
    "Вы действительно хотите деинсталировать QRN Solvo?",  // 5
    "Вам нужны административные права для того чтобы удалить программу QRN Solvo. Удалены только преимущественные права  пользователя    ",  // 6
};

// Texts of the database messages 5000 .. 5026.
constexpr const char* kDatabaseTexts[] = {
    "Проверка  баз данных. Подождите пожалуйста...",  // 5000
    "Восстановить определение",  // 5001
    "Ошибка в базе данных '$1', код = $2.",  // 5002
    "Используется база данных '$1'",  // 5003
    "Недействительная структура базы данных в '$1'.",  // 5004
    "Отсутствующая альтернативная точка входа для базы данных '$1'",  // 5005
    "Отсутствие открытого интерфейса доступа к базам данных '$1'",  // 5006
    "'$1' не является базой данных ODBC",  // 5007
    "Разрешение отказа от базы данных '$1'",  // 5008
    "База данных '$1' только для чтения",  // 5009
    "Неизвестная ошибка при открытии базы данных '$1'.",  // 5010
    "Уровень проверки ошибки: '$1'.",  // 5011
    "Требуемое значение для '$1'.",  // 5012
    "Значение для '$1' должно быть уникальным",  // 5013
    "Некорректная версия базы данных '$1'",  // 5014
    "Недействительный логин или пароль",  // 5015
    "Выберите конкретно, что вы  не хотите удалять",  // 5016
    "Вы действительно хотите удалить'$1'? ",  // 5017
    "SQL сервер:ошибка ввода записи ",  // 5018
    "SQL сервер:Запись",  // 5019
    "SQL сервер:ошибка  удаления записи ",  // 5020
    "SQL сервер: ошибка исполнения оператора выбора",  // 5021
    "Генерующая ODBC база данных",  // 5022
    "MS Jet база данных ",  // 5023
    "База данных на SQL сервере",  // 5024
    "Текст.  файл",  // 5025
    "MySQL database",  // 5026
};

// Texts of the application messages 10000 .. 10121.
constexpr const char* kApplicationTexts[] = {
    "Страница $1",  // 10000
    "НБ $1: таблица поправок для функии разморозки (обогрев)",  // 10001
    "Модель НБ $1: таблица мощности охлажд. (RH =50%)",  // 10002
    "Модель НБ $1: таблица потреб. мощности при охлажд.(RH=50%)",  // 10003
    "Модель НБ $1: таблица мощности обогрева (RH=50%)",  // 10004
    "Модель НБ $1:таблица потреб. мощности при обогреве (RH=50%)",  // 10005
    "Т. наружн. воздуха",  // 10006
    "Модель НБ $1: таблица общей мощности охлажд. (RH=50%)",  // 10007
    "",  // 10008: not used by the program
    "",  // 10009: not used by the program
    "Деинсталлировать",  // 10010
    "НБ $1: таблица изменения мощности охлаждения",  // 10011
    "НБ $1: таблица изменения мощности обогрева",  // 10012
    "НБ $1: таблица изменения мощности охлаждения",  // 10013
    "НБ $1: таблица поправок для функии разморозки.",  // 10014
    "НБ $1: таблица изменения мощности обогрева",  // 10015
    "This project has an award for conformity to standards of quality and excellence.",  // 10016
    "Выберите Центр. Контроллер",  // 10017
    "CI",  // 10018
    "Текущие значения мощности при условиях и указанном коэффициенте соединения ($1%) ",  // 10019
    "Значения мощностей при условии 100%-го коэффициента соединения",  // 10020
    "Система $1:Процентное соотношение ниже $2%. Автоматическая дозаправка хладагентом невозможна.",  // 10021
    "Переименовать",  // 10022
    "The use of AEX devices has no influence on the selection of outdoor units or its piping diagram. It only affects the wiring diagram and the centralized controller diagram.",  // 10023
    "AXD devices are considered as indoor units. They have an influence on the selection of outdoor units, the piping diagram, the wiring diagram and the centralized controller diagram.",  // 10024
    "определить контроллер как централизованный",  // 10025
    "Макс. растровой размер  $1x$2 пиксел",  // 10026
    "The equivalent length $2 from $1 to outdoor unit exceeds $3",  // 10027
    "The actual piping length $2 from $1 to outdoor unit exceeds $3",  // 10028
    "The total refrigerant charge $1 exceeds $2",  // 10029
    "The piping length $2 between $1 and the first branch exceeds $3",  // 10030
    "The piping length $2 between $1 and the last branch exceeds $3",  // 10031
    "The difference between the longest and shortest distance from first branch to indoor unit ($1) exceeds $2",  // 10032
    "Some piping lengths are not filled in. See pipes marked in red on the piping diagram",  // 10033
    "The total actual piping length $1 exceeds $2",  // 10034
    "Десятичная точка должна отличаться от разделителей списка  ",  // 10035
    "А Файл для импортирования  должен содержать хотя бы одно поле для чтения",  // 10036
    "$2 блок без рекуперации тепла.Не соединяется с $1",  // 10037
    "$1 не может быть соединён с $2",  // 10038
    "Некоторые системы содержат ошибки. Пока нельзя рассчитать централизов. контроллеры ",  // 10039
    "Нет решения,  которое может быть расчитано для модели с централизованным контроллером $1 ",  // 10040
    "Коэффициент соединения  $1 должен быть больше чем $2%",  // 10041
    "$1 должно быть соединение с наружным блоком ",  // 10042
    "At least one indoor unit must be connected to $1",  // 10043
    "Отчеты могут быть включены только в полностью укомплектованную систему",  // 10044
    "Невозможно подкл. более $1 устройств к этой \"гребенке\"",  // 10045
    "Не найдены \"гребенки\" с $2 подключениями, которые можно подключить к устройству $1",  // 10046
    "$1/  $2 не действителен в DBT/WBT комбинациях",  // 10047
    "$2 блок только с охлаждением. Без возможности обогрева $1",  // 10048
    "Внутр. блок соединенный  с теплообменником работает только при охлажд. Для получения теплоёмкости соедините с блоком BS.   ",  // 10049
    "Макс. значение коэф. соединения для внутр. блока $1 : $2%",  // 10050
    "ВБ используються вне рабочего диапазона в режиме охлаждения",  // 10051
    "ВБ используються вне рабочего диапазона в режиме обогрева",  // 10052
    "ВБ используются вне диапазона таблицы мощности в режиме  охлаждения",  // 10053
    "ВБ используются вне диапазона таблицы мощности в режиме обогрева",  // 10054
    "You cannot modify the piping layout of this outdoor unit, because you have chosen to enter its piping lengths manually",  // 10055
    "Cannot delete $1. It is connected to $2, for which you have chosen to enter piping lengths manually",  // 10056
    "The manually entered piping lengths contain errors. See piping diagram",  // 10057
    "Макс. расстояние от первого ответвителя до внутр. блока $1превышает",  // 10058
    "Возможно соединить только внутренние блоки $2 с $1",  // 10059
    "Макс. превышение длины трубопровода $1",  // 10060
    "Только внутренние блоки $1 могут соединяться с ПДУ  $2",  // 10061
    "Миним. знач. коэффициента соединения при установке $1ниже ВБ $2%  ",  // 10062
    "Can only edit multiple devices of the same kind",  // 10063
    "Хотя бы одна из указанных мощностей должна быть заполнена",  // 10064
    "Нет в наличии BS-блоков серии $1с индексом мощности $2 и комбинации этого внутреннего блока",  // 10065
    "Нет в наличии BS-блоков серии $1с индексом мощности $2",  // 10066
    "Cannot connect other devices to the remote controller of $1",  // 10067
    "Нет внутренних блоков серии / семейства $1, которые можно соединить с $2",  // 10068
    "Нет внутренних блоков серии / семейства $1 , обеспечивающих $2 ощутимую мощность охлаждения",  // 10069
    "Нет внутренних блоков серии / семейства $1 , обеспечивающих общую холодопроизводительность $2",  // 10070
    "Нет внутренних блоков серии / семейства $1 , обеспечивающих мощность обогрева для $2 ",  // 10071
    "Нет выбранной модели для $1",  // 10072
    "Не существует следующего внутреннего блока с ПДУ",  // 10073
    "Недоступны наружные блоки серии $1 и семейства $2",  // 10074
    "Не существует предыдущего внутр. блока с ПДУ",  // 10075
    "Нет общих опций для  моделей устройств",  // 10076
    "Отсутствует модель для $1, опции не могут быть выбраны",  // 10077
    "Нет в наличии BS-блоков серии $1, которые могут быть совместимы с $2",  // 10078
    "Наибольший индекс пропускной способности $2 перевышает $1.Соединить некоторые внутренние блоки с другими наружными блоками",  // 10079
    "Проект должен быть завершен, прежде чем вы сможете создать отчет, включающий в себя список материалов, детали внутренних и наружных блоков ",  // 10080
    "В начале уберите пульт дистанционного управления от выбранных опций ",  // 10081
    "Please remove the remote sensor from the selected options first",  // 10082
    "Проект должен быть завершен перед экспортом отчета ",  // 10083
    "The maximum equivalent length to the first branch $1 exceeds $2, but size up of intermediate branches is not yet supported for heat recovery systems",  // 10084
    "AEX devices and devices connected via an option board must be added directly to the outdoor unit",  // 10085
    "A AXD device must be connected to the remote controller of an indoor unit",  // 10086
    "Выберите центр. контроллер для $1 ",  // 10087
    "Внесите название",  // 10088
    "Вы действительно хотите удалить'$1'? Он уже подсоединён к наружному блоку",  // 10089
    "Вы действительно хотите удалить выбранные внутренние блоки? Некоторые уже соединены с наружными блоками ",  // 10090
    "When you choose to enter piping lengths manually, you can no longer modify the piping layout. Continue?",  // 10091
    "Использовать опции  $1 по умолчанию. Некоторые опции могут быть потеряны. Продолжить?",  // 10092
    "Вы действительно хотите возратить схему трубопроводов к оригинальному размещению. ",  // 10093
    "All the piping lenghts you entered may be lost. Continue?",  // 10094
    "Основной",  // 10095
    "Индекс мощности",  // 10096
    "Ограниченный",  // 10097
    "Только охлаждение",  // 10098
    " (first value '$1')",  // 10099
    "Только обогрев",  // 10100
    "Тепловой насос",  // 10101
    "Рекуперация тепла",  // 10102
    "Интеллектуальный",  // 10103
    "различные значения",  // 10104
    "фаза",  // 10105
    "Непроверенный",  // 10106
    "BS-блок",  // 10107
    "Other device",  // 10108
    "\"Гребенка\"",  // 10109
    "Внутренний блок",  // 10110
    "Соединение",  // 10111
    "Наружный блок ",  // 10112
    "Проект",  // 10113
    "AEX",  // 10114
    "Принтер не соответствует текущим установкам",  // 10115
    "Принтеры не поддерживаються в  Windows",  // 10116
    "Стандартные опции не могут быть удалены",  // 10117
    "Обратите внимание на уровень комфорта в режиме обогрева при выборе свыше $1%",  // 10118
    "Невозможно запустить приложение электронной таблицы",  // 10119
    "Невозможно запустить word-процессор ",  // 10120
    "Отчет создан, но проект не сохранен. Не забудьте сохранить перед закрытием программы",  // 10121
};

// clang-format on

static_assert(std::size(kBaseMsgTexts) ==
              static_cast<std::size_t>(kBaseMsgLast - kBaseMsgFirst + 1));
static_assert(std::size(kGeneralTexts) ==
              static_cast<std::size_t>(kGeneralMsgLast - kGeneralMsgFirst + 1));
static_assert(std::size(kDatabaseTexts) ==
              static_cast<std::size_t>(kDatabaseMsgLast - kDatabaseMsgFirst + 1));
static_assert(std::size(kApplicationTexts) ==
              static_cast<std::size_t>(kApplicationMsgLast - kApplicationMsgFirst + 1));

std::vector<std::string> ToCp1251(std::span<const char* const> texts) {
  std::vector<std::string> converted;
  converted.reserve(texts.size());
  for (const char* text : texts) converted.push_back(Cp1251FromUtf8(text));
  return converted;
}

const std::vector<std::string>& BaseMsgTable() {
  static const std::vector<std::string> table = ToCp1251(kBaseMsgTexts);
  return table;
}

const std::vector<std::string>& GeneralTable() {
  static const std::vector<std::string> table = ToCp1251(kGeneralTexts);
  return table;
}

const std::vector<std::string>& DatabaseTable() {
  static const std::vector<std::string> table = ToCp1251(kDatabaseTexts);
  return table;
}

const std::vector<std::string>& ApplicationTable() {
  static const std::vector<std::string> table = ToCp1251(kApplicationTexts);
  return table;
}

// Item `index` of a table with the range's character set; nothing outside the table.
void TableItem(const std::vector<std::string>& table, long index, int itemCharset, int& charset,
               std::string& text) {
  charset = 0;
  text.clear();
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return;
  charset = itemCharset;
  text = table[static_cast<std::size_t>(index)];
}

}  // namespace

void BaseMsgText(int number, int& charset, std::string& text) {
  TableItem(BaseMsgTable(), -static_cast<long>(number) - 1, 0, charset, text);
}

void RegisterBuiltinMessages() {
  TBaseMsg::RegisterRange(
      [](int number, int& charset, std::string& text) {
        TableItem(GeneralTable(), number - kGeneralMsgFirst, kCyrillicCharset, charset, text);
      },
      kGeneralMsgFirst, kGeneralMsgLast);
  TBaseMsg::RegisterRange(
      [](int number, int& charset, std::string& text) {
        TableItem(DatabaseTable(), number - kDatabaseMsgFirst, kCyrillicCharset, charset, text);
      },
      kDatabaseMsgFirst, kDatabaseMsgLast);
  TBaseMsg::RegisterRange(
      [](int number, int& charset, std::string& text) {
        TableItem(ApplicationTable(), number - kApplicationMsgFirst, 0, charset, text);
      },
      kApplicationMsgFirst, kApplicationMsgLast);
}
