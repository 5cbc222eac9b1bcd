// Default content of KESZIP.TBL. Each pair maps a variant form found in
// address lists to the form the dictionary uses; none of the variant forms
// occurs in the dictionary's own names (tests/engine/fold/default_table_test.cpp
// checks both against the real data).
#include "default_kanji_table.h"

namespace mkdic {

const char* const kDefaultKanjiTable = R"tbl(# KESZIP.TBL: 漢字置換テーブル
#
# 住所を照合する前に、左辺の文字を右辺の文字に置き換えます。
# 書式: 1行に1組「置換前=置換後」。「#」から行末まではコメント、空行は読み飛ばします。
# \xHHHH はシフトJISコード、\jHHHH はJISコードで、それぞれ全角1文字を表します。
# 上の行から順に調べ、最初に一致した組を使います。置換前は何文字でも構いません。
# 組み込みの置き換え（澤→沢など）が先に適用され、それに当たらない漢字だけがこの表で置き換わります。
# KESZIP.PRM の KanjiTableOff=1 のときは、この表だけが使われます。

# 拡張漢字の異体字。同じ字にIBM拡張とNEC選定IBM拡張の二つのコードがあるため、両方を挙げます。
\xFBFC=高
\xEEE0=高
\xFAB1=崎
\xED95=崎
\xFABA=徳
\xED9E=徳
\xFB50=瀬
\xEDF1=瀬
\xFB4D=浜
\xEDEE=浜
\xFA9C=塚
\xED80=塚
\xFBE9=隆
\xEECD=隆
\xFB7E=神
\xEE62=神
\xFB80=祥
\xEE63=祥
\xFB82=福
\xEE65=福
\xFB86=靖
\xEE69=靖
\xFB89=精
\xEE6C=精
\xFB92=羽
\xEE75=羽
\xFBA9=諸
\xEE8D=諸
\xFBB4=逸
\xEE98=逸
\xFBF6=飯
\xEEDA=飯
\xFBF7=飼
\xEEDB=飼
\xFBF9=館
\xEEDD=館
\xFC49=鶴
\xEEEA=鶴
\xFB5E=猪
\xEE42=猪
\xFB75=益
\xEE59=益
\xFB7D=礼
\xEE61=礼
\xFAD8=晴
\xEDBC=晴
\xFAE0=朗
\xEDC4=朗
\xFC4B=黒
\xEEEC=黒
\xFA9D=増
\xED81=増
\xFAAA=寛
\xED8E=寛
\xFACD=教
\xEDB1=教
\xFAEE=横
\xEDD2=横
\xFB43=清
\xEDE4=清
\xFB8D=緑
\xEE70=緑
\xFB8E=緒
\xEE71=緒
\xFB9E=薫
\xEE82=薫
\xFBAE=頼
\xEE92=頼
\xFBB6=郎
\xEE9A=郎
\xFBB8=郷
\xEE9C=郷
\xFBF2=青
\xEED6=青
\xFAE5=柳
\xEDC9=柳
\xFAE3=桑
\xEDC7=桑
\xFAE1=杉
\xEDC5=杉
\xFABD=悦
\xEDA1=悦
\xFBF0=鶴
\xEED4=鶴
\xFBF1=鶴
\xEED5=鶴
\xFA81=宜
\xED64=宜

# 旧字体・異体字のうち、辞書の地名には現れないもの。
邊=辺
邉=辺
澁=渋
會=会
驛=駅
塲=場
龜=亀
彌=弥
壽=寿
豐=豊
寳=宝
寶=宝
圓=円
莊=荘
靜=静
舩=船
嵜=崎
冲=沖
兒=児
團=団
穐=秋
龝=秋
渊=渕
來=来
關=関
鐵=鉄
學=学
廐=厩
廏=厩
乘=乗
兩=両
濟=済
將=将
峽=峡
巖=巌
髮=髪
蠏=蟹
舍=舎
亞=亜
惡=悪
壹=壱
號=号
讚=讃
)tbl";

}  // namespace mkdic
