<%@ Language=VBScript %>
<% Response.ContentType = "text/vnd.wap.wml" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="list" title="Classifieds">
    <p>
<% Dim c, p : c = Request("cat") : p = CInt(Request("page")) %>
      Page <%= p %><br/>
      <a href="list.asp?cat=<%= c %>&page=<%= p + 1 %>">Next</a>
    </p>
  </card>
</wml>
