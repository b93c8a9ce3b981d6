<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>正文编辑</title>
<!-- The document-body editor of forms whose body is HTML: the form page frames it as "editor",
     it starts from the page's ContentHTML and gives the edited HTML back through
     editGetHtmlRel() when the page is submitted. -->
<script type="text/javascript" src="../../ckeditor/ckeditor.js"></script>
<style>html, body { margin: 0; height: 100%; }</style>
</head>
<body>
<textarea id="content" name="content"></textarea>
<script type="text/javascript">
function pageContent() {
  try {
    var form = parent.document.forms.webform;
    return form && form.ContentHTML ? form.ContentHTML.value : '';
  } catch (e) {
    return '';
  }
}
document.getElementById('content').value = pageContent();
CKEDITOR.replace('content', { toolbar: 'myBasic', height: 260 });

// The edited HTML of the document body.
function editGetHtmlRel() {
  return CKEDITOR.instances.content.getData();
}
</script>
</body>
</html>
