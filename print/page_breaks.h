// PageBreaks: what the line formatter needs of the page as a whole. The print job implements
// it; the formatter only knows when a page is full and when a line needs a page to go on.
#pragma once

class PageBreaks {
public:
    virtual ~PageBreaks() = default;

    // Ends the page in progress (full, or a form feed acted on): its footer, the page end,
    // the next page number and whether that page is in the range. No page starts yet.
    virtual void FinishPage() = 0;

    // Starts the next page, for a line that is to go on it; with single sheets the question
    // for the sheet comes first. False when the user cancelled there: no page starts, and the
    // copy is to end.
    virtual bool StartNextPage() = 0;
};
