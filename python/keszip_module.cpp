// keszip._keszip: the engine handles for Python. An Engine owns one handle;
// lookups go through the handle API's UTF-8 calls, so Python sees exactly
// the answers of `keszip lookup`. The pure-Python package around it adds the
// pandas helpers and the documentation.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "csv_block.h"
#include "keszip.h"

namespace py = pybind11;

namespace {

// Addresses handed to the engine per batch: the interpreter is released while
// a batch runs, and the answers of one batch stay small.
constexpr std::size_t kBatchSize = 2048;

// Result: a tuple of the five fields `keszip lookup` prints, with the status
// of the UTF-8 conversion as a sixth, named-only field.
PyTypeObject* resultType = nullptr;

PyStructSequence_Field resultFields[] = {
    {"flags", "result flags; 0 when the address was not placed"},
    {"code", "7-digit postal code, or the error text (ERR-003, ...) when not placed"},
    {"old_code", "old 3- or 5-digit code; empty when not placed"},
    {"address_number", "address number for the customer barcode; empty when none"},
    {"local_code", "local-government code of the municipality; empty when not placed"},
    {"status", "OK, REPLACED (looked up with placeholders), INVALID or NUL_BYTE"},
    {nullptr, nullptr},
};

PyStructSequence_Desc resultDesc = {
    "keszip.Result",
    "The answer of one lookup: (flags, code, old_code, address_number, local_code),\n"
    "the fields `keszip lookup` prints, and `status`, how the text converted.",
    resultFields,
    5,
};

PyObject* decodeText(const char* text) {
    PyObject* decoded =
        PyUnicode_DecodeUTF8(text, static_cast<Py_ssize_t>(std::strlen(text)), "replace");
    if (!decoded) throw py::error_already_set();
    return decoded;
}

// Appends a new reference to `list`, which takes it over.
void appendNew(py::list& list, PyObject* item) {
    if (!item) throw py::error_already_set();
    const int failed = PyList_Append(list.ptr(), item);
    Py_DECREF(item);
    if (failed) throw py::error_already_set();
}

// The four texts of the answer before: addresses of one town or one
// municipality come together in most lists, and their codes, old codes and
// local-government codes are then shared (texts never change) instead of
// made again, which saves the allocations that dominate a long batch.
struct RecentTexts {
    std::string text[4];
    py::object object[4];

    // A new reference to the str of field `i`.
    PyObject* get(int i, const char* value) {
        if (!object[i] || text[i] != value) {
            object[i] = py::reinterpret_steal<py::object>(decodeText(value));
            text[i] = value;
        }
        return object[i].inc_ref().ptr();
    }
};

py::object makeResult(const KesZipUtf8Answer& a, RecentTexts& recent) {
    PyObject* r = PyStructSequence_New(resultType);
    if (!r) throw py::error_already_set();
    py::object result = py::reinterpret_steal<py::object>(r);
    const char* texts[] = {a.code7, a.oldCode, a.addressNumber, a.jisCode};
    PyStructSequence_SetItem(r, 0, PyLong_FromLong(a.flags));
    for (int i = 0; i < 4; ++i) PyStructSequence_SetItem(r, i + 1, recent.get(i, texts[i]));
    PyStructSequence_SetItem(r, 5, PyLong_FromLong(a.status));
    // It holds only numbers and texts, so it can never be part of a cycle:
    // left to the cycle collector, a million results would have it scan
    // them again and again while the list grows.
    PyObject_GC_UnTrack(r);
    return result;
}

// The UTF-8 bytes of one address: a str (lone surrogates pass through as the
// bytes that make the text invalid UTF-8, which the engine refuses), or
// bytes taken as UTF-8. `keep` holds whatever owns the bytes.
std::string_view addressBytes(py::handle item, py::object& keep, std::size_t index, bool many) {
    if (PyUnicode_Check(item.ptr())) {
        Py_ssize_t size = 0;
        if (const char* data = PyUnicode_AsUTF8AndSize(item.ptr(), &size)) {
            keep = py::reinterpret_borrow<py::object>(item);
            return {data, static_cast<std::size_t>(size)};
        }
        PyErr_Clear();
        keep = py::reinterpret_steal<py::object>(
            PyUnicode_AsEncodedString(item.ptr(), "utf-8", "surrogatepass"));
        if (!keep) throw py::error_already_set();
        item = keep;
    }
    if (PyBytes_Check(item.ptr())) {
        if (!keep) keep = py::reinterpret_borrow<py::object>(item);
        return {PyBytes_AS_STRING(item.ptr()),
                static_cast<std::size_t>(PyBytes_GET_SIZE(item.ptr()))};
    }
    std::string where =
        many ? "item " + std::to_string(index) + " of the addresses" : "the address";
    throw py::type_error(where + " is " + std::string(Py_TYPE(item.ptr())->tp_name) +
                         ", not str or bytes");
}

class Engine {
  public:
    explicit Engine(std::optional<std::string> folder) : folder_(std::move(folder)) { reopen(); }
    ~Engine() {
        // A handle inherited through fork() belongs to the parent's engine.
        if (handle_ && pid_ == getpid()) KesZipDestroy(handle_);
    }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    py::object lookup(const py::handle& address, bool hyphen) {
        py::object keep;
        std::string_view text = addressBytes(address, keep, 0, false);
        KesZipUtf8Answer answer;
        {
            py::gil_scoped_release release;
            std::lock_guard<std::mutex> lock(mutex_);
            KesZipLookupUtf8(handleForThisProcess(), text.data(), text.size(), options(hyphen),
                             &answer);
        }
        RecentTexts recent;
        return makeResult(answer, recent);
    }

    py::list lookupMany(const py::handle& addresses, bool hyphen) {
        py::list results;
        RecentTexts recent;
        lookupBatches(addresses, hyphen,
                      [&](const KesZipUtf8Answer& a) { results.append(makeResult(a, recent)); });
        return results;
    }

    // The same answers as six lists, one per field (status last): what a
    // frame's columns are made of, without a tuple per row.
    py::tuple lookupColumns(const py::handle& addresses, bool hyphen) {
        py::list columns[6];
        RecentTexts recent;
        lookupBatches(addresses, hyphen, [&](const KesZipUtf8Answer& a) {
            const char* texts[] = {a.code7, a.oldCode, a.addressNumber, a.jisCode};
            appendNew(columns[0], PyLong_FromLong(a.flags));
            for (int i = 0; i < 4; ++i) appendNew(columns[i + 1], recent.get(i, texts[i]));
            appendNew(columns[5], PyLong_FromLong(a.status));
        });
        return py::make_tuple(columns[0], columns[1], columns[2], columns[3], columns[4],
                              columns[5]);
    }

    // A block of CSV rows (UTF-8, whole rows) with the five answer fields
    // appended to each row: the CSV is split, looked up and written here,
    // the interpreter released throughout. Returns (rows, count).
    py::tuple lookupCsv(const py::bytes& block, long column, bool hyphen) {
        if (column < 1) throw py::value_error("lookup_csv: column counts from 1");
        char* data = nullptr;
        Py_ssize_t size = 0;
        if (PyBytes_AsStringAndSize(block.ptr(), &data, &size) != 0) throw py::error_already_set();
        std::string out;
        std::size_t rows = 0;
        std::string error;
        {
            py::gil_scoped_release release;
            std::lock_guard<std::mutex> lock(mutex_);
            KesZipHandle* handle = handleForThisProcess();
            rows = keszip_python::appendCsvAnswers(
                std::string_view(data, static_cast<std::size_t>(size)),
                static_cast<std::size_t>(column), kBatchSize,
                [&](const char* const* addresses, const std::size_t* lengths, std::size_t count,
                    KesZipUtf8Answer* answers) {
                    KesZipLookupUtf8Batch(handle, addresses, lengths, count, options(hyphen),
                                          answers);
                },
                out, error);
        }
        if (!error.empty()) throw py::value_error(error);
        return py::make_tuple(py::bytes(out), rows);
    }

    std::optional<std::string> folder() const { return folder_; }

  private:
    static int options(bool hyphen) { return hyphen ? KESZIP_HYPHEN : 0; }

    // Looks the addresses of an iterable up in batches, the interpreter
    // released while the engine works, and hands each answer to `sink` in
    // order.
    template <typename Sink>
    void lookupBatches(const py::handle& addresses, bool hyphen, Sink&& sink) {
        std::vector<py::object> keep;
        std::vector<const char*> data;
        std::vector<std::size_t> lengths;
        std::vector<KesZipUtf8Answer> answers;
        keep.reserve(kBatchSize);
        std::size_t index = 0;
        auto flush = [&] {
            answers.resize(data.size());
            {
                py::gil_scoped_release release;
                std::lock_guard<std::mutex> lock(mutex_);
                KesZipLookupUtf8Batch(handleForThisProcess(), data.data(), lengths.data(),
                                      data.size(), options(hyphen), answers.data());
            }
            for (const auto& a : answers) sink(a);
            keep.clear();
            data.clear();
            lengths.clear();
        };
        for (py::handle item : py::iter(addresses)) {
            keep.emplace_back();
            std::string_view text = addressBytes(item, keep.back(), index++, true);
            data.push_back(text.data());
            lengths.push_back(text.size());
            if (data.size() == kBatchSize) flush();
        }
        if (!data.empty()) flush();
    }

    void reopen() {
        int error = 0;
        KesZipHandle* handle = KesZipCreate(folder_ ? folder_->c_str() : nullptr, &error);
        if (!handle) {
            std::string where = folder_ ? "in " + *folder_ : std::string("beside the library");
            PyErr_SetString(PyExc_OSError,
                            ("the dictionary KESZIP.DIC " + where + " could not be opened (error " +
                             std::to_string(error) + ")")
                                .c_str());
            throw py::error_already_set();
        }
        handle_ = handle;
        pid_ = getpid();
    }

    // In a process forked from the one that made the handle, a handle of the
    // child's own (the parent's is left alone: it is not ours to free).
    KesZipHandle* handleForThisProcess() {
        if (pid_ != getpid()) {
            int error = 0;
            KesZipHandle* handle = KesZipCreate(folder_ ? folder_->c_str() : nullptr, &error);
            if (handle) {
                handle_ = handle;
                pid_ = getpid();
            }
        }
        return handle_;
    }

    std::optional<std::string> folder_;
    KesZipHandle* handle_ = nullptr;
    pid_t pid_ = 0;
    std::mutex mutex_;
};

}  // namespace

PYBIND11_MODULE(_keszip, m) {
    m.doc() = "The compiled part of keszip: engine handles over the UTF-8 lookups.";
    resultType = PyStructSequence_NewType(&resultDesc);
    if (!resultType) throw py::error_already_set();
    m.add_object("Result",
                 py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(resultType)));

    m.attr("OK") = KESZIP_UTF8_OK;
    m.attr("REPLACED") = KESZIP_UTF8_REPLACED;
    m.attr("INVALID") = KESZIP_UTF8_INVALID;
    m.attr("NUL_BYTE") = KESZIP_UTF8_NUL_BYTE;
    m.attr("FOUND") = KESZIP_FOUND;
    m.attr("KYOTO_STREET") = KESZIP_KYOTO_STREET;
    m.attr("GENERIC_CODE") = KESZIP_GENERIC_CODE;
    m.attr("NO_PREFECTURE") = KESZIP_NO_PREFECTURE;
    m.attr("NO_CITY") = KESZIP_NO_CITY;
    m.attr("FORMER_NAME") = KESZIP_FORMER_NAME;
    m.attr("CODE_DIFFERS") = KESZIP_CODE_DIFFERS;
    m.attr("PLACEHOLDER") = "\u3013";
    m.attr("library_version") = GetZe7DllVersion();

    py::class_<Engine>(m, "Engine", R"(An engine over the postal-code dictionaries.

Engine(folder=None) opens the dictionary files (KESZIP.DIC, KESZIP.PRM,
KESZIP.TBL) of `folder`, or, when it is None, those the library finds itself:
beside libkeszip, in the folder KESZIP_DICTIONARY_DIR names, or in the
installed data folder. OSError when they cannot be opened.

One engine serves one thread at a time (calls from several threads on one
engine wait for each other); give each thread its own engine to look up in
parallel. In a process forked after the engine was made, the engine opens a
handle of its own on first use. An engine can be pickled: it is opened again
on the same folder where it is unpickled.)")
        .def(py::init<std::optional<std::string>>(), py::arg("folder") = py::none())
        .def("lookup", &Engine::lookup, py::arg("address"), py::arg("hyphen") = false,
             R"(Looks one address up and returns its Result.

`address` is a str (or UTF-8 bytes). Dashes and minus signs read as hyphens;
a character Shift-JIS cannot write is looked up as the placeholder "〓"
(status REPLACED); text that is not UTF-8 or holds a NUL is not looked up
(flags 0, code "ERR-003", status INVALID or NUL_BYTE). `hyphen` writes codes
as "100-0013". TypeError for anything but str or bytes.)")
        .def("lookup_many", &Engine::lookupMany, py::arg("addresses"), py::arg("hyphen") = false,
             R"(Looks every address of an iterable up; returns the list of their Results.

The addresses go to the engine in batches, with the interpreter released
while each batch runs, so other threads go on meanwhile. TypeError, naming
the item, when an item is neither str nor bytes.)")
        .def("lookup_columns", &Engine::lookupColumns, py::arg("addresses"),
             py::arg("hyphen") = false,
             R"(As lookup_many, but returns six lists, one per field:
(flags, code, old_code, address_number, local_code, status). lookup_frame
builds its columns from them.)")
        .def("lookup_csv", &Engine::lookupCsv, py::arg("block"), py::arg("column"),
             py::arg("hyphen") = false,
             R"(Looks up the addresses of a block of CSV rows; returns (rows, count).

`block` is bytes of whole UTF-8 rows, such as a block of a file cut at line
ends; the address is field `column`, counted from 1 (a row with fewer fields
has the empty address). A field may be quoted, with commas, doubled quotes
and line breaks inside. `rows` is the block with the five result fields
appended to every row (each row otherwise as it was, with its own line end;
blank lines left out), `count` the number of rows. The whole block is split,
looked up and written with the interpreter released. ValueError when the
block ends inside a quoted field.)")
        .def_property_readonly("folder", &Engine::folder,
                               "The folder given when the engine was made, or None.")
        .def(py::pickle([](const Engine& e) { return py::make_tuple(e.folder()); },
                        [](const py::tuple& t) {
                            return std::make_unique<Engine>(
                                t[0].cast<std::optional<std::string>>());
                        }))
        .def("__repr__", [](const Engine& e) {
            return e.folder()
                       ? "keszip.Engine(" + py::repr(py::str(*e.folder())).cast<std::string>() + ")"
                       : std::string("keszip.Engine()");
        });
}
