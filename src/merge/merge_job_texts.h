// The fixed texts a merge job shows in the status line and in message boxes.
#pragma once

namespace plandock::job_text {

inline constexpr char16_t kNoBase[] = u"ベース図面ファイルを指定して下さい。";
inline constexpr char16_t kBaseMissing[] = u"ベース図面ファイルが存在しません。";
inline constexpr char16_t kNoDestination[] = u"保存先図面ファイルを指定して下さい。";

inline constexpr char16_t kCheckingNames[] = u"合体ファイル名のチェック中です";
inline constexpr char16_t kCheckingTargets[] = u"合体先レイヤ指定のチェック中です";

inline constexpr char16_t kCheckingReferences[] = u"基準点文字のチェック中です";
inline constexpr char16_t kCheckingReferenceOf[] = u"基準点文字チェック中：";
inline constexpr char16_t kInterruptedBeforeMerge[] = u"中断しました[ESC] 合体処理は未実行です";
inline constexpr char16_t kBaseLabel[] = u"ベース図面ファイル：";
inline constexpr char16_t kMergedLabel[] = u"合体ファイル：";
inline constexpr char16_t kListCut[] = u"・・・";
inline constexpr char16_t kAskNotDrawn[] =
    u"基準点文字が作図されていない図面ファイルがあります。合体を続行しますか？\r\n";
inline constexpr char16_t kAskMany[] =
    u"基準点文字が３つ以上作図されている図面ファイルがあります。合体を続行しますか？\r\n";
inline constexpr char16_t kCancelled[] = u"合体をキャンセルしました。";

inline constexpr char16_t kReadingBase[] = u"ベース図面の読み込み中です";
inline constexpr char16_t kBaseUnreadable[] = u"ベース図面がエラーファイルです";
inline constexpr char16_t kReadingMerged[] = u"合体図面の読み込み中です(";
inline constexpr char16_t kMerging[] = u"合体図面の合体処理中です(";
inline constexpr char16_t kErrorFile[] = u"エラーファイル：";

inline constexpr char16_t kReleasingDimensions[] = u"寸法図形解除の処理中です";
inline constexpr char16_t kApplyingJwf[] = u"環境設定ファイル適用処理中です";

inline constexpr char16_t kBackingUp[] = u"直前の合体図面をバックアップ中です";
inline constexpr char16_t kSaving[] = u"合体図面を保存中です";
// Followed directly by the destination path, then ": " and the system's reason.
inline constexpr char16_t kSaveFailed[] = u"合体図面の保存に失敗しました";

inline constexpr char16_t kInterrupted[] = u"中断しました[ESC]";
inline constexpr char16_t kDone[] = u"完了";

}  // namespace plandock::job_text
